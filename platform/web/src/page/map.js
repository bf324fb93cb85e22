// The map of the program's answers: "Map" draws every window pixel under the figure in the
// colour of what the program answers with the pointer there, and lists the classes with their
// pixel counts. The map is computed again only when the figure's points change, as a frame is
// shown, so at most once a frame; the cursor is left out, since the map puts it at every pixel.

// Okabe and Ito's colour-blind-safe qualitative set, each darkened until white keeps a contrast
// of at least 3:1 on it (3.4 and more), after two greys for the first two classes: in
// point_inside those are the tests agreeing, the quietest. Beyond nine classes the hues repeat.
const greys = ['#383838', '#1c1c1c'];
const hues = ['#b87f00', '#4692bd', '#009e73', '#958d29', '#0072b2', '#d55e00', '#c0729d'];

/** The colour of class k, as '#rrggbb'. */
export function classColour(k) { return k < greys.length ? greys[k] : hues[(k - greys.length) % hues.length]; }

const rgbOf = (hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));

/** "<class>: N pixels (P %)", P with two decimals. */
export function legendText(name, count, total) {
  return `${name}: ${count} ${count === 1 ? 'pixel' : 'pixels'} (${(100 * count / total).toFixed(2)} %)`;
}

export class AnswerMap {
  constructor(bridge, layer, $) {
    this.bridge = bridge;
    this.layer = layer;
    this.events = new EventTarget();  // 'change': the map turned on or off
    this.button = $('map');
    this.legend = $('map-legend');
    this.on = false;
    this.mapped = null;  // the points the map was computed for, as text; null: not computed yet
    this.available = bridge.hasMap();
    if (!this.available) return;
    const {width, height} = layer.view;
    this.image = new ImageData(width, height);
    this.canvas = Object.assign(document.createElement('canvas'), {width, height});
    this.button.hidden = false;
    this.button.addEventListener('click', () => this.show(!this.on));
    layer.beforeSwap = () => {
      if (this.on && this.points() !== this.mapped) this.compute();
    };
  }

  /** The figure's named points as text: the state without the cursor's pair. */
  points() { return this.bridge.readState().slice(0, -2).join(','); }

  /** Turns the map on or off; on, it is computed and drawn in the next animation frame. */
  show(on) {
    if (!this.available || on === this.on) return;
    this.on = on;
    this.button.setAttribute('aria-pressed', String(on));
    this.legend.hidden = !on;
    if (on) {
      this.mapped = null;
      this.legend.setAttribute('aria-busy', 'true');
      this.legend.replaceChildren();
      requestAnimationFrame(() => {
        if (this.on && this.mapped === null) {
          this.compute();
          this.layer.repaint();
        }
      });
    } else {
      this.layer.setUnderlay(null);
    }
    this.events.dispatchEvent(new Event('change'));
  }

  /** Computes the map, paints it into the underlay and fills the legend; the caller shows the frame. */
  compute() {
    this.legend.setAttribute('aria-busy', 'true');
    const map = this.bridge.computeMap();
    this.mapped = this.points();
    const colours = map.names.map((_, k) => rgbOf(classColour(k)));
    const data = this.image.data, classOf = map.classOf;
    for (let i = 0, j = 0; i < classOf.length; ++i, j += 4) {
      const [r, g, b] = colours[classOf[i]];
      data[j] = r;
      data[j + 1] = g;
      data[j + 2] = b;
      data[j + 3] = 255;
    }
    this.canvas.getContext('2d').putImageData(this.image, 0, 0);
    this.layer.underlay = this.canvas;
    this.fillLegend(map.names, map.counts);
    this.legend.setAttribute('aria-busy', 'false');
  }

  fillLegend(names, counts) {
    const total = counts.reduce((a, b) => a + b, 0), items = this.legend.children;
    while (items.length > names.length) this.legend.lastChild.remove();
    while (items.length < names.length) {
      const item = document.createElement('li'), swatch = document.createElement('span');
      swatch.className = 'swatch';
      swatch.setAttribute('aria-hidden', 'true');
      item.append(swatch, document.createElement('span'));
      this.legend.appendChild(item);
    }
    names.forEach((name, k) => {
      const [swatch, text] = items[k].children, words = legendText(name, counts[k], total);
      swatch.style.backgroundColor = classColour(k);
      if (text.textContent !== words) text.textContent = words;
    });
  }
}
