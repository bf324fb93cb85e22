// The figure saved as a picture (the canvas as it is, at the screen's resolution) or as a
// drawing (SVG at the designed size), and put on paper when the page is printed: the drawing,
// white where the screen is black and black where it is white.

function download(blob, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

export function wireSaving(layer, program, status, $) {
  $('save-picture').addEventListener('click', () => {
    layer.canvas.toBlob((blob) => {
      if (blob) download(blob, `${program}.png`);
      else status.say('The picture could not be made, so nothing was saved.');
    }, 'image/png');
  });
  $('save-drawing').addEventListener('click', () => {
    download(new Blob([layer.drawing(false)], {type: 'image/svg+xml'}), `${program}.svg`);
  });
  window.addEventListener('beforeprint', () => { $('print-figure').innerHTML = layer.drawing(true); });
}
