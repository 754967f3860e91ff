// touch.js: the panel in the hand: a tap lands where the finger is, and
// the phone's keyboard types the word.
//
// The browser's SDL would press at once where a finger touches, though the
// finger may be starting to scroll, and at the wrong place on a scrolled
// page; so no touch on the canvas reaches it.  A tap is a touch that lifts
// where it began, one finger, with the browser not taking it for a scroll
// or a pinch (its end can still be cancelled).  The page hands it to the
// program (Module._PressAt) at its pixel of the panel, with half a
// fingertip of 44 CSS pixels in the panel's pixels: the program presses
// the control nearest the finger within that reach, or the panel there.
// Its end is cancelled, so that the browser adds no mouse press of its
// own.
var tapFrom = null;
function onCanvas(event) {
  if (event.target != canvas)
    return false;
  event.stopPropagation();
  return true;
}
window.addEventListener('touchstart', function(event) {
  if (onCanvas(event))
    tapFrom = event.touches.length == 1 ? event.touches[0] : null;
}, {capture: true, passive: true});
['touchmove', 'touchcancel'].forEach(function(type) {
  window.addEventListener(type, onCanvas, {capture: true, passive: true});
});
window.addEventListener('touchend', function(event) {
  if (!onCanvas(event) || !event.cancelable)
    return;
  event.preventDefault();
  var from = tapFrom, to = event.changedTouches[0];
  tapFrom = null;
  if (!playing || !from || event.touches.length ||
      Math.hypot(to.clientX - from.clientX, to.clientY - from.clientY) > 10)
    return;
  var box = canvas.getBoundingClientRect();
  function pixels(css) { return Math.floor(css * 320 / box.width); }
  if (document.activeElement != keys)
    focusCanvas();
  Module._PressAt(pixels(to.clientX - box.left), pixels(to.clientY - box.top),
                  pixels(22));
}, {capture: true});

// The word from the phone's keyboard: the Keyboard button brings it up,
// typing into a field unseen over the panel, and puts it away.  What is
// typed is read as text, since phones' keyboards send no key codes, and
// each character goes to the program as the key press a keyboard gives
// for it, a letter in lower case; the field keeps nothing.
var keys = document.getElementById('keys');
var keyboard = document.getElementById('keyboard');
keyboard.addEventListener('mousedown', function(event) {
  event.preventDefault(); // the field keeps the focus, and the keyboard
});
keyboard.onclick = function() {
  if (document.activeElement == keys)
    keys.blur();
  else
    keys.focus({preventScroll: true});
};
function showKeyboardButton(up) {
  show(keyboard, function() {
    return up ? _('Hide the keyboard') : _('Keyboard');
  });
  keyboard.setAttribute('aria-expanded', up);
}
showKeyboardButton(false);
['focus', 'blur'].forEach(function(type) {
  keys.addEventListener(type, function() {
    var up = type == 'focus';
    showKeyboardButton(up);
    if (!up)
      fit();
  });
});
function typeOut() {
  var typed = keys.value;
  keys.value = '';
  for (var character of typed.toLowerCase()) {
    var code = character.codePointAt(0);
    if (playing)
      Module._PressKey(code < 128 ? code : 0);
  }
}
keys.addEventListener('input', function(event) {
  if (!event.isComposing)
    typeOut();
});
keys.addEventListener('compositionend', typeOut);
keys.addEventListener('keydown', function(event) {
  if (event.key == 'Escape' || event.key == 'Enter')
    keys.blur();
}, {passive: true});
