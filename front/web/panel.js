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
  stateLine.hidden = false;
  document.getElementById('keyboard').hidden = false;
  showState();
}

// The panel has gone, or never came: its buttons and the lines of what
// its lamps show go with it, and the canvas dims, or goes too, with the
// space it holds, where it never showed the panel.  The status line says
// why in a sentence, with a button that loads the page again, so
// labelled, where starting again can help: each words of the language in
// use, as show() takes them.
function panelGone(sentence, again) {
  playing = false;
  canvas.style.opacity = 0.4;
  document.getElementById('board').hidden = !Object.keys(controls).length;
  for (var label in controls)
    controls[label].hidden = true;
  stateLine.hidden = true;
  document.getElementById('keyboard').hidden = true;
  statusLine.textContent = '';
  show(statusLine.appendChild(document.createElement('span')), sentence);
  if (again) {
    var button = statusLine.appendChild(document.createElement('button'));
    show(button, again);
    button.onclick = function() { window.location.reload(); };
  }
}

// What the panel shows, as a line of text, and what each press did, in
// sentences; the notebook (notebook.js) takes a note of each.
var stateLine = document.getElementById('state');
var lamps = {a: 0, b: 0, q2: 0, q1: 0, q0: 0, y: 0}, lampsCase = 0;
var outputKnown = false;
var spoken = 0;
function switchedOn(on) {
  return on ? pgettext('an input switch', 'on') :
              pgettext('an input switch', 'off');
}
function stateOf(cells) {
  return cells.q2 + ' ' + cells.q1 + ' ' + cells.q0;
}
function output() {
  return lamps.y ? _('Y lit.') : _('Y dark.');
}
function showState() {
  show(stateLine, function() {
    return format(_('A %1$s, B %2$s.'), switchedOn(lamps.a),
                  switchedOn(lamps.b)) + ' ' +
           format(_('Q2 Q1 Q0: %1$s.'), stateOf(lamps)) + ' ' +
           (outputKnown ? output() : _('Y not yet worked out.'));
  });
}
// What a press on a control did, in a sentence; the panel's name of the
// control and the lamps' state as the panel shows them.
function pressed(label) {
  var on = lamps[label.toLowerCase()];
  var state = stateOf(lamps);
  if (label == 'CLOCK')
    return format(_('Clock: Q2 Q1 Q0 now %1$s.'), state);
  if (label == 'RESET')
    return format(_('Reset: Q2 Q1 Q0 now %1$s.'), state);
  if (label[0] == 'Q')
    return format(on ? _('Flip-flop %1$s on.') : _('Flip-flop %1$s off.'),
                  label);
  if (label)
    return format(on ? _('Input %1$s on.') : _('Input %1$s off.'), label);
  return _('Pressed the panel.');
}
function showPress(button, label, caseNumber, cells) {
  var before = lamps, knownBefore = outputKnown;
  if (label == 'CLOCK')
    note(lampsCase, 'next', stateOf(cells).replace(/ /g, ''));
  note(caseNumber, 'y', String(cells.y));
  lamps = cells;
  lampsCase = caseNumber;
  outputKnown = true;
  // The wheel presses too, but is said only when it changes Y; a
  // sentence said again is told apart, so that it is said again.
  if (button <= 3 || !knownBefore || before.y != cells.y) {
    var again = spoken++ % 2 ? '\u00a0' : '';
    show(statusLine, function() {
      return pressed(controls[label] ? label : '') + ' ' + output() + again;
    });
  }
  showState();
  for (var name in controls) {
    if (name.toLowerCase() in cells)
      controls[name].setAttribute('aria-pressed',
                                  !!cells[name.toLowerCase()]);
  }
}
