// Full screen shows the figure alone, with its button to come back; where the browser cannot,
// the button is not shown.
export function wireFullScreen(figure, button, status) {
  if (!figure.requestFullscreen || !document.fullscreenEnabled) return;
  button.hidden = false;
  button.addEventListener('click', async () => {
    try {
      if (document.fullscreenElement) await document.exitFullscreen();
      else await figure.requestFullscreen();
    } catch (error) {
      status.failed('Full screen is not available', error);
    }
  });
  document.addEventListener('fullscreenchange', () => {
    button.setAttribute('aria-pressed', String(document.fullscreenElement === figure));
  });
}
