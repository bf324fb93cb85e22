// The window on the page. The page's canvas is the program's window, always of its designed
// size in window pixels. The page shows it at the size it has room for, keeping its aspect
// ratio: at most the designed size in CSS pixels, less on a narrower page, the whole screen
// in full screen. The backing store holds that CSS size times devicePixelRatio, so the figure
// is drawn sharp at the device's resolution.

export class View {
  constructor(canvas, width, height) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d');
    this.width = width;  // the program's window, in window pixels
    this.height = height;
    this.scaleX = 1;     // backing-store pixels per window pixel
    this.scaleY = 1;
    this.ratio = 1;      // the devicePixelRatio the backing store was sized for
    Object.assign(canvas.style, {width: '100%', maxWidth: `${width}px`, aspectRatio: `${width} / ${height}`,
                                 touchAction: 'none',  // a drag on the canvas never scrolls, zooms or navigates
                                 userSelect: 'none', webkitUserSelect: 'none'});
    this.fit();
  }

  /** Sizes the backing store to the laid-out CSS size times the device's ratio; false if nothing changed or the canvas is not laid out. */
  fit() {
    const rect = this.canvas.getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
    const width = Math.round(Math.round(rect.width) * ratio), height = Math.round(Math.round(rect.height) * ratio);
    if (width <= 0 || height <= 0) return false;
    if (width === this.canvas.width && height === this.canvas.height && ratio === this.ratio) return false;
    Object.assign(this.canvas, {width, height});
    this.ratio = ratio;
    this.scaleX = width / this.width;
    this.scaleY = height / this.height;
    return true;
  }

  /** Window pixels (top-left origin) under a pointer event's CSS position. */
  pixelAt(e) {
    const rect = this.canvas.getBoundingClientRect();
    return [Math.floor((e.clientX - rect.left) * this.width / rect.width),
            Math.floor((e.clientY - rect.top) * this.height / rect.height)];
  }

  /** Window pixels per CSS pixel as the canvas is shown now. */
  pixelsPerCss() { return this.width / this.canvas.getBoundingClientRect().width; }

  /**
   * Calls `changed` whenever a new CSS size or device ratio changes the backing store (never the
   * window), and sizes the canvas to the screen in full screen.
   */
  follow(changed) {
    const refit = () => { if (this.fit()) changed(); };
    new ResizeObserver(refit).observe(this.canvas);
    window.addEventListener('resize', refit);
    // The ratio changes with the zoom or when the window moves to another screen.
    const watchRatio = () => {
      matchMedia(`(resolution: ${this.ratio}dppx)`).addEventListener('change', () => {
        refit();
        watchRatio();
      }, {once: true});
    };
    watchRatio();
    // In full screen the canvas takes as much of the screen as its aspect ratio allows.
    document.addEventListener('fullscreenchange', () => {
      const full = document.fullscreenElement && document.fullscreenElement.contains(this.canvas);
      this.canvas.style.width = full ? `min(100vw, ${100 * this.width / this.height}vh)` : '100%';
      this.canvas.style.maxWidth = full ? 'none' : `${this.width}px`;
    });
  }
}
