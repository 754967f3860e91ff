// checker.js: "Check your answer", the answer checker beside the panel,
// and the answer kept and handed in.
//
// The checker is a module of its own, fetched when the section is first
// opened.  Its report comes as lines, each a whole sentence, which the page
// wraps at its own width, the indentation kept, the marks in colour.  A
// checker that could not be loaded is tried again at the next Check.
//
// What is typed into the box, the player's name and whether the section
// is open are kept in this browser as the notebook is (storage.js): with
// the page open twice, the last answer typed is in both.  "Save my answer"
// downloads a file that zelm-check reads as it is, the name and the
// notebook in comments, for a teacher to mark.
var answer = document.getElementById('answer');
var player = document.getElementById('player');
var report = document.getElementById('report');
var checkSection = document.getElementById('check');
var answerKey = 'zelm-answer';
// What became of an answer stored that could not be read, in words.
var answerEarlier = function() { return ''; };
var checker = null;
var reportLines = [];
var checked = null; // the answer the report is of

// The answer the text holds, if it is exactly what this page writes: the
// player's name, the answer, and whether the section is open; else null.
function answerIn(text) {
  return objectIn(text, ['name', 'text', 'open'], function(key, value) {
    return typeof value == (key == 'open' ? 'boolean' : 'string');
  });
}
function storedAnswer() {
  return stored(answerKey, answerIn, {name: '', text: '', open: false},
                function(aside) {
    answerEarlier = function() {
      // TRANSLATORS: %1$s is the name of the key the answer is kept
      // under, as the browser's tools for developers show it.
      return aside ? format(_('The answer this browser kept before could ' +
                              'not be read: it is set aside, as it was, ' +
                              'under "%1$s" in its storage for this ' +
                              'site.'), aside) :
                     _('The answer this browser kept before could not be ' +
                       'read: it is left as it was.');
    };
  });
}
function showAnswerKept() {
  sayKept(document.getElementById('answer-kept'), answerEarlier, function() {
    return _('This browser would not keep your answer, so it goes when ' +
             'you leave the page.');
  });
}
function showAnswer(kept) {
  answer.value = kept.text;
  player.value = kept.name;
}
// One part of what is kept changed, the rest as stored.
function keepAnswer(part, value) {
  var kept = storedAnswer();
  if (keeping) {
    kept = kept || {name: player.value, text: answer.value,
                    open: checkSection.open};
    kept[part] = value;
    writeStored(answerKey, JSON.stringify(kept));
  }
  showAnswerKept();
}
var keptAnswer = storedAnswer();
if (keptAnswer) {
  showAnswer(keptAnswer);
  checkSection.open = keptAnswer.open;
}
showAnswerKept();
answer.addEventListener('input', function() {
  keepAnswer('text', answer.value);
}, {passive: true});
player.addEventListener('input', function() {
  keepAnswer('name', player.value);
}, {passive: true});
window.addEventListener('storage', function(event) {
  var other = event.key == answerKey && answerIn(event.newValue || '');
  if (other)
    showAnswer(other);
}, {passive: true});

// The checker, loaded, and speaking the page's language; or the words
// that say why it could not be loaded.
function loadChecker() {
  if (fromDisk)
    return Promise.reject(function() {
      return _('The checker could not be loaded: this page must be served ' +
               'by a web server, not opened as a file: see "In the ' +
               'browser" in the README.');
    });
  if (noWebAssembly)
    return Promise.reject(function() {
      return _('The checker could not be loaded: it needs WebAssembly, ' +
               'which this browser does not run: try another browser.');
    });
  var arriving = ['zelm-check.js', 'zelm-check.wasm'].map(arrival);
  return Promise.all(arriving).then(function(files) {
    return new Promise(function(resolve, reject) {
      function cannotRun(what) {
        console.error(what);
        reject(function() {
          return _('The checker could not be loaded: this browser could ' +
                   'not run it: try another browser.');
        });
      }
      runScript(files[0]);
      createZelmCheck({
        print: function(line) { reportLines.push(line); },
        printErr: function(line) { reportLines.push(line); },
        instantiateWasm: instantiating(files[1], cannotRun)
      }).then(resolve, cannotRun);
    });
  }, function(file) {
    checker = null;
    throw function() {
      // TRANSLATORS: %1$s is the name of a file of the page's site.
      return format(_('The checker could not be loaded: %1$s did not ' +
                      'arrive: press Check to try again.'), file);
    };
  }).then(useCatalogIn);
}
// Hands the checker the catalog of the page's language (empty for
// English, and where it does not arrive).
function useCatalogIn(module) {
  var file = language == 'en' ? Promise.reject() : arrival(language + '.mo');
  return file.catch(function() { return new ArrayBuffer(0); })
    .then(function(bytes) {
      var mo = new Uint8Array(bytes);
      var at = module._malloc(mo.length + 1);
      module.HEAPU8.set(mo, at);
      module._UseCatalogBytes(at, mo.length);
      module._free(at);
      return module;
    });
}
// A new language: the checker's, and its report said again in it.
function useCheckerLanguage() {
  if (checker)
    checker.then(useCatalogIn).then(function(module) {
      if (checked !== null)
        runChecker(module, checked);
    }, function() {});
}
// Each line of the report as a line of the page, its indentation kept and
// a line that wraps hanging under its first.
function showReport() {
  report.textContent = '';
  reportLines.forEach(function(line) {
    var shown = report.appendChild(document.createElement('div'));
    var text = line.trimStart();
    shown.style.paddingLeft = line.length - text.length + 2 + 'ch';
    shown.innerHTML = text.replace(/&/g, '&amp;').replace(/</g, '&lt;')
      .replace(/✓/g, '<span class="right">✓</span>')
      .replace(/✗/g, '<span class="wrong">✗</span>');
  });
}
function runChecker(module, text) {
  var size = module.lengthBytesUTF8(text);
  var bytes = module._malloc(size + 1);
  module.stringToUTF8(text, bytes, size + 1);
  reportLines = [];
  module._CheckAnswerText(bytes, size);
  module._free(bytes);
  showReport();
}
checkSection.addEventListener('toggle', function() {
  keepAnswer('open', this.open);
  if (this.open && !checker)
    checker = loadChecker();
});
document.getElementById('run-check').onclick = function() {
  checker = checker || loadChecker();
  var text = answer.value;
  checker.then(function(module) {
    checked = text;
    runChecker(module, text);
  }, function(why) {
    report.textContent = '';
    show(report.appendChild(document.createElement('div')), why);
  });
};

// The answer as a file: the name, the equations as typed and the notebook
// as text, the first and the last in comments, which zelm-check passes
// over; named for the player, where he gives a name.
document.getElementById('save-answer').onclick = function() {
  var name = player.value.trim();
  var words = name.match(/[\p{L}\p{N}]+/gu) || [];
  // TRANSLATORS: the first line of a saved answer, a comment: %1$s is the
  // player's name.
  var text = (name ? '# ' + format(_('Name: %1$s'), name) + '\n' : '') +
      answer.value.replace(/\s*$/, '\n\n') + '# ' +
      _('What you have seen:') + '\n' +
      seenAsText().replace(/^/gm, '# ').replace(/# $/, '');
  var file = document.createElement('a');
  file.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
  file.download = ['zelm-answer'].concat(words).join('-') + '.txt';
  file.click();
};

// Printed, the section shows the answer and its report.
window.addEventListener('beforeprint', function() {
  checkSection.open = true;
}, {passive: true});
