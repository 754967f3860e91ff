// fit.js: the panel as large as the window allows, every one of its pixels
// a whole square of device pixels, fitted again as the window changes.
var canvas = document.getElementById('canvas');

// The largest whole multiple of the panel's pixels, in device pixels,
// that fits the width, reaching into the page's margins where that makes
// it larger (a 320-pixel phone's panel fills its width).  Held upright,
// the text follows the panel; held sideways or on a desk, the panel stays
// whole in view, with how to play beside it where there is room for both.
// The width is the page's beside its scrollbar, always there (page.css),
// so that the scale depends on the window alone, never on how long the
// page was when it was measured.  While the phone's keyboard is
// up for the word, the window is as short as the keyboard leaves it: the
// scale stays as it was.  A window too narrow for one device pixel to a
// panel pixel shows the panel across its width.
function fit() {
  if (document.activeElement.id == 'keys')
    return;
  var ratio = window.devicePixelRatio || 1;
  var room = document.documentElement.clientWidth;
  var upright = window.innerHeight > window.innerWidth;
  function show(scale) {
    var width = 320 * scale / ratio;
    document.body.style.setProperty('--width', width + 'px');
    document.body.style.setProperty('--edge',
                                    Math.max(0, width + 16 - room) / 2 + 'px');
  }
  // The largest scale at which the elements named stand in view, or 0.
  function largest(ids) {
    for (var scale = Math.floor(room * ratio / 320); scale >= 1; scale--) {
      show(scale);
      if (upright || ids.every(function(id) {
            return document.getElementById(id).getBoundingClientRect()
                       .bottom + window.scrollY <= window.innerHeight;
          }))
        return scale;
    }
    return 0;
  }
  show(largest(['canvas', 'how']) || largest(['canvas']) ||
       Math.min(1, room * ratio / 320));
}
fit();
window.addEventListener('resize', fit, {passive: true});
