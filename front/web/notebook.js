// notebook.js: "What you have seen", the player's notes: for each case the
// panel has shown, the state after CLOCK and Y, as the panel showed them,
// kept in this browser for every tab of the page alike.  Cases are
// numbered as the state table is read, so a case's number is its cell's
// place in the table's reading order.
//
// Kept in the browser's storage (storage.js): where that fails, the
// notebook lives for the visit, and says so.
//
// The page may be open twice, in two tabs or as the installed app beside
// a tab, and two may write at the same moment, when the storage keeps the
// last.  The notes are facts about one fixed circuit, so two copies never
// disagree on one: whenever a tab hears of another's write, it takes the
// union of both, and writes it back where the other lacked a note of its.
// Clear starts a new generation of the notebook, which replaces any older
// one in every tab, so that Clear empties them all.
var seenKey = 'zelm-notebook';
// What became of notes stored that could not be read, in words.
var earlier = function() { return ''; };

// The notebook the text holds, if the text is exactly what this page
// writes: its generation, and up to 32 cases, each null or the parts seen
// of it (next: the state after CLOCK, y: Y); else null.  The cases alone
// are the notebook as the page wrote it before Clear made generations.
function notebookIn(text) {
  var shapes = {next: /^[01]{3}$/, y: /^[01]$/};
  function isCase(entry) {
    var parts = entry && typeof entry == 'object' && !Array.isArray(entry) ?
        Object.keys(entry) : [];
    return entry === null || parts.length > 0 && parts.every(function(part) {
      return shapes.hasOwnProperty(part) && typeof entry[part] == 'string' &&
             shapes[part].test(entry[part]);
    });
  }
  return objectIn(text[0] == '[' ? '{"generation":0,"seen":' + text + '}' :
                  text, ['generation', 'seen'], function(key, value) {
    return key == 'seen' ?
        Array.isArray(value) && value.length <= 32 && value.every(isCase) :
        Number.isSafeInteger(value) && value >= 0;
  });
}

// The notebook stored now, an empty one where there is none; or null
// where what is stored cannot be read.
function storedNotebook() {
  return stored(seenKey, notebookIn, {generation: 0, seen: []},
                function(aside) {
    earlier = function() {
      // TRANSLATORS: %1$s is the name of the key the notes are kept
      // under, as the browser's tools for developers show it.
      return aside ? format(_('The notes this browser kept before could ' +
                              'not be read: they are set aside, as they ' +
                              'were, under "%1$s" in its storage for ' +
                              'this site.'), aside) :
                     _('The notes this browser kept before could not be ' +
                       'read: they are left as they were.');
    };
  });
}

var book = storedNotebook() || {generation: 0, seen: []};

// One sentence beside the notebook, where it is not kept, or the notes
// kept before could not be read.
function showKept() {
  sayKept(document.getElementById('seen-kept'), earlier, function() {
    return _('This browser would not keep these notes, so they go when ' +
             'you leave the page.');
  });
}

var seenRows = document.querySelector('#notebook tbody');
for (var row = 0; row < 8; row++) {
  var tr = seenRows.insertRow();
  var th = document.createElement('th');
  th.scope = 'row';
  th.textContent = (8 + row).toString(2).slice(1);
  tr.appendChild(th);
  for (var column = 0; column < 4; column++)
    tr.insertCell();
}
var seenCells = seenRows.querySelectorAll('td');

// Takes another tab's notebook into this one: a newer generation replaces
// this one, and the same generation adds what this one lacks.  Returns
// whether the other lacks what this one has, which is then this tab's to
// write.
function takeIn(other) {
  if (other.generation != book.generation) {
    var newer = other.generation > book.generation;
    if (newer)
      book = other;
    return !newer;
  }
  var lacking = false;
  for (var c = 0; c < 32; c++) {
    var ours = book.seen[c] || {}, theirs = other.seen[c] || {};
    for (var part in ours)
      lacking = lacking || !(part in theirs);
    if (Object.keys(theirs).length)
      book.seen[c] = Object.assign(ours, theirs);
  }
  return lacking;
}
function keep() {
  if (keeping)
    writeStored(seenKey, JSON.stringify(book));
  showSeen();
}
function takeInStored() {
  var stored = keeping && storedNotebook();
  if (stored)
    takeIn(stored);
}
function note(caseNumber, part, value) {
  takeInStored();
  var entry = book.seen[caseNumber] = book.seen[caseNumber] || {};
  entry[part] = value;
  keep();
}
window.addEventListener('storage', function(event) {
  if (!keeping || (event.key != seenKey && event.key !== null))
    return;
  // Storage emptied by the browser is a Clear.
  var other = event.newValue === null ?
      {generation: book.generation + 1, seen: []} : notebookIn(event.newValue);
  if (other && takeIn(other))
    keep();
  else if (other)
    showSeen();
}, {passive: true});
function seenText(entry, blank) {
  if (!entry)
    return blank;
  return (entry.next || '...') + '/' + (entry.y || '...');
}
function showSeen() {
  var counts = {next: 0, y: 0};
  for (var c = 0; c < 32; c++) {
    seenCells[c].textContent = seenText(book.seen[c], '');
    for (var part in counts)
      counts[part] += !!(book.seen[c] && book.seen[c][part]);
  }
  show(document.getElementById('seen-count'), function() {
    // TRANSLATORS: how much of the notebook is filled in: the state after
    // CLOCK, and Y, each seen in so many of the panel's 32 cases.
    return format(_('next state: %1$d of 32; Y: %2$d of 32'), counts.next,
                  counts.y);
  });
  showKept();
}
showSeen();
function seenAsText() {
  var lines = ['Q2Q1Q0 | AB=00 | AB=01 | AB=10 | AB=11'];
  for (var row = 0; row < 8; row++) {
    var cells = [seenRows.rows[row].cells[0].textContent.padEnd(6)];
    for (var column = 0; column < 4; column++)
      cells.push(seenText(book.seen[4 * row + column], '...').padEnd(5));
    lines.push(cells.join(' | ').trimEnd());
  }
  return lines.join('\n') + '\n';
}
var seenSaid = document.getElementById('seen-said');
document.getElementById('clear-seen').onclick = function() {
  takeInStored();
  book = {generation: book.generation + 1, seen: []};
  keep();
  show(seenSaid, function() { return _('Cleared.'); });
};
// Where the browser has no clipboard for the page (a page served over
// plain HTTP from another machine) or refuses it, the text is shown
// selected, for the player to copy himself.
var seenByHand = document.getElementById('seen-text');
document.getElementById('copy-seen').onclick = function() {
  var text = seenAsText();
  function byHand() {
    seenByHand.value = text;
    seenByHand.hidden = false;
    seenByHand.focus();
    seenByHand.select();
    show(seenSaid, function() {
      return _('This browser would not copy it: it is selected below, ' +
               'to copy yourself.');
    });
  }
  try {
    navigator.clipboard.writeText(text).then(function() {
      seenByHand.hidden = true;
      show(seenSaid, function() { return _('Copied as text.'); });
    }, byHand);
  } catch (absent) {
    byHand();
  }
};
