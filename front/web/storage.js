// storage.js: what the page keeps in this browser (the notebook, the
// answer), read and written through the functions below, which never
// throw.
//
// The browser's storage may be refused (cookies blocked for the site),
// full, or hold anything under the page's keys.  Where it fails, what the
// page keeps lives for the visit, and the page says so.  Text that is not
// exactly what this page writes is never taken for what it keeps, nor
// destroyed: it is set aside under a key of its own first.
var keeping = true; // whether this browser keeps what is written

function readStored(key) {
  try {
    return window.localStorage.getItem(key);
  } catch (refused) {
    keeping = false;
    return null;
  }
}

function writeStored(key, text) {
  try {
    window.localStorage.setItem(key, text);
    return true;
  } catch (refused) {
    keeping = false;
    return false;
  }
}

// Keeps the text under a key of the page's own, beside key, that is free
// or already holds it; that key, or null when the storage would not keep
// it.
function setAside(key, text) {
  for (var n = 1; n <= 100; n++) {
    var aside = key + '-unread' + (n > 1 ? '-' + n : '');
    var there = readStored(aside);
    if (there === text)
      return aside;
    if (there === null)
      return writeStored(aside, text) ? aside : null;
  }
  return null;
}

// What is stored under key, as read(text) reads it (null where the text is
// not what the page writes), or empty where nothing is; or null where it
// cannot be read, which is then set aside, or left as it is where it
// cannot be, nothing being written over it.  told(aside) hears where it
// went (null where it stayed).
function stored(key, read, empty, told) {
  var text = readStored(key);
  var value = text === null ? empty : read(text);
  if (value === null) {
    var aside = setAside(key, text);
    keeping = keeping && aside !== null;
    told(aside);
  }
  return value;
}

// Whether the text is JSON of an object with exactly these keys, in this
// order, each holding a value that check(key, value) accepts, written as
// the page writes it; that object, or null.
function objectIn(text, keys, check) {
  var value;
  try {
    value = JSON.parse(text);
  } catch (damaged) {
    return null;
  }
  var sound = !!value && typeof value == 'object' &&
      Object.keys(value) + '' == keys + '' &&
      keys.every(function(key) { return check(key, value[key]); });
  return sound && JSON.stringify(value) === text ? value : null;
}

// Says in the element, or says nothing and hides it, what became of what
// the page keeps: earlier(), of the text it kept before and could not
// read, and, where this browser keeps nothing, goes(); each the words of
// the language in use.
function sayKept(element, earlier, goes) {
  show(element, function() {
    return [earlier(), keeping ? '' : goes()].filter(String).join(' ');
  });
  element.hidden = !element.textContent;
}
