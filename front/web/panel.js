// panel.js: the panel's buttons, its keyboard and its lines of text: what
// the lamps show, and one sentence for each press.
var statusLine = document.getElementById('status');

// At a desk the canvas has the keyboard from the start, and after every
// press on it; on a touch screen it takes it at the first tap (touch.js),
// so that no ring stands round the panel before the player has done
// anything.  No focus moves the page: the canvas may stand half scrolled
// off under the finger.  Right presses belong to the panel, not to a
// context menu (SDL itself keeps middle presses and the wheel from
// scrolling the page).  SDL hears keys on the canvas only, and cancels Tab
// there: Tab and Shift+Tab leave it as any element, never reaching SDL.
function focusCanvas() {
  canvas.focus({preventScroll: true});
}
if (!matchMedia('(pointer: coarse)').matches)
  focusCanvas();
canvas.addEventListener('mousedown', focusCanvas, {passive: true});
canvas.addEventListener('contextmenu', function(event) {
  event.preventDefault();
});
['keydown', 'keyup'].forEach(function(type) {
  window.addEventListener(type, function(event) {
    if (event.key == 'Tab' && event.target == canvas)
      event.stopImmediatePropagation();
  }, {capture: true, passive: true});
});

// The panel's buttons, placed and pressed by the program, which tells the
// page where each control stands and, after each press, what the press
// hit and what the lamps show (front/platform_web.cpp).  The buttons are
// named here; the program knows its controls by label.  While it plays,
// the page may hand it presses of its own: a tap, a key.
var controls = {};
var playing = false;
function placeControl(label, left, right, top, bottom) {
  var button = document.querySelector('[data-control="' + label + '"]');
  var index = Object.keys(controls).length;
  controls[label] = button;
  var place = {'--x': ((left + right) / 2 + 1) / 320,
               '--w': (right - left) / 320,
               '--y': ((top + bottom) / 2 + 1) / 240,
               '--h': (bottom - top) / 240};
  for (var property in place)
    button.style.setProperty(property, 100 * place[property] + '%');
  button.onclick = function() { Module._PressControl(index); };
  button.hidden = false;
  playing = true;
  document.getElementById('state').hidden = false;
  document.getElementById('keyboard').hidden = false;
}

// The panel has gone, or never came: its buttons and the lines of what
// its lamps show go with it, and the canvas dims, or goes too, with the
// space it holds, where it never showed the panel.  The status line says
// why in a sentence, with a button that loads the page again, so
// labelled, where starting again can help.
function panelGone(text, again) {
  playing = false;
  canvas.style.opacity = 0.4;
  document.getElementById('board').hidden = !Object.keys(controls).length;
  for (var label in controls)
    controls[label].hidden = true;
  document.getElementById('state').hidden = true;
  document.getElementById('keyboard').hidden = true;
  statusLine.textContent = text;
  if (again) {
    var button = document.createElement('button');
    button.textContent = again;
    button.onclick = function() { window.location.reload(); };
    statusLine.appendChild(button);
  }
}

// What the panel shows, as a line of text, and one sentence a press; the
// notebook (notebook.js) takes a note of each.
var shown = {y: 0}, shownCase = 0;
var outputKnown = false;
var spoken = 0;
function onOff(on) { return on ? 'on' : 'off'; }
function state(cells) {
  return cells.q2 + ' ' + cells.q1 + ' ' + cells.q0;
}
function showPress(button, label, caseNumber, cells) {
  var before = shown, knownBefore = outputKnown;
  if (label == 'CLOCK')
    note(shownCase, 'next', state(cells).replace(/ /g, ''));
  note(caseNumber, 'y', String(cells.y));
  shown = cells;
  shownCase = caseNumber;
  outputKnown = true;
  var control = controls[label];
  var output = 'Y ' + (cells.y ? 'lit' : 'dark') + '.';
  var sentence = 'Pressed the panel; ' + output;
  if (label == 'CLOCK' || label == 'RESET')
    sentence = control.getAttribute('aria-label') + ': Q2 Q1 Q0 now ' +
               state(cells) + '; ' + output;
  else if (control)
    sentence = control.getAttribute('aria-label') + ' ' +
               onOff(cells[label.toLowerCase()]) + '; ' + output;
  // The wheel presses too, but is said only when it changes Y; a
  // sentence said again is told apart, so that it is said again.
  if (button <= 3 || !knownBefore || before.y != cells.y)
    statusLine.textContent = sentence + (spoken++ % 2 ? '\u00a0' : '');
  document.getElementById('state').textContent =
      'A ' + onOff(cells.a) + ', B ' + onOff(cells.b) + '. Q2 Q1 Q0: ' +
      state(cells) + '. ' + output;
  for (var name in controls) {
    if (name.toLowerCase() in cells)
      controls[name].setAttribute('aria-pressed',
                                  !!cells[name.toLowerCase()]);
  }
}
