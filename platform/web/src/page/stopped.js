// Should the program stop for good (out of memory, say), the page says so over the frozen
// picture and offers to reload.
export function watchForStop(module, element) {
  function stop(what) {
    if (!element.hidden) return;
    const reason = /OOM/.test(what) ? 'it ran out of memory' : what;
    element.textContent = `The program has stopped (${reason}) and no longer answers. `;
    const reload = document.createElement('a');
    reload.href = '';
    reload.textContent = 'Reload the page';
    reload.addEventListener('click', (e) => {
      e.preventDefault();
      location.reload();
    });
    element.append(reload, ' to start it again.');
    element.hidden = false;
  }
  module.onAbort = (what) => stop(String(what));
  window.addEventListener('error', (e) => {
    if (e.error instanceof WebAssembly.RuntimeError) stop(e.error.message);
  });
}
