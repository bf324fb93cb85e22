// The page's own controls around the program's figure: full screen, the figure saved
// as a picture or a drawing, and the drawing put on paper when the page is printed.
// Module is the program's module; Module.program its name.
(function() {
  function $(id) { return document.getElementById(id); }

  function download(blob, name) {
    var link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 1000);
  }

  function start() {
    var figure = $('figure'), full = $('fullscreen');
    // Full screen shows the figure alone, with this button to come back; where the
    // browser cannot, the button is not shown.
    if (figure.requestFullscreen && document.fullscreenEnabled) {
      full.hidden = false;
      full.onclick = function() {
        if (document.fullscreenElement) document.exitFullscreen();
        else figure.requestFullscreen().catch(function() {});
      };
      document.addEventListener('fullscreenchange', function() {
        full.setAttribute('aria-pressed', String(document.fullscreenElement === figure));
      });
    }
    $('save-picture').onclick = function() {
      Module.canvas.toBlob(function(blob) { download(blob, Module.program + '.png'); }, 'image/png');
    };
    $('save-drawing').onclick = function() {
      download(new Blob([Module.drawing(false)], {type: 'image/svg+xml'}), Module.program + '.svg');
    };
    // Paper gets the drawing, white where the screen is black and black where it is white.
    function forPrint() { $('print-figure').innerHTML = Module.drawing(true); }
    window.addEventListener('beforeprint', forPrint);
  }

  Module.postRun = (Module.postRun || []).concat(start);
})();
