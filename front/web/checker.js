// checker.js: "Check your answer", the answer checker beside the panel.
//
// The checker is a module of its own, fetched when the section is first
// opened.  Its report comes as lines, its marks in colour.  A
// checker that could not be loaded is tried again at the next Check.
var answer = document.getElementById('answer');
var report = document.getElementById('report');
var checker = null;
var reportLines = [];
function loadChecker() {
  if (noWebAssembly)
    return Promise.reject('it needs WebAssembly, which this browser ' +
                          'does not run: try another browser.');
  var arriving = ['zelm-check.js', 'zelm-check.wasm'].map(arrival);
  return Promise.all(arriving).then(function(files) {
    return new Promise(function(resolve, reject) {
      function cannotRun(what) {
        console.error(what);
        reject('this browser could not run it: try another browser.');
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
    throw file + ' did not arrive: press Check to try again.';
  });
}
function showReport() {
  report.innerHTML = reportLines.join('\n')
    .replace(/&/g, '&amp;').replace(/</g, '&lt;')
    .replace(/✓/g, '<span class="right">✓</span>')
    .replace(/✗/g, '<span class="wrong">✗</span>');
}
document.getElementById('check').addEventListener('toggle', function() {
  if (this.open && !checker)
    checker = loadChecker();
});
document.getElementById('run-check').onclick = function() {
  checker = checker || loadChecker();
  checker.then(function(module) {
    var size = module.lengthBytesUTF8(answer.value);
    var text = module._malloc(size + 1);
    module.stringToUTF8(answer.value, text, size + 1);
    reportLines = [];
    module._CheckAnswerText(text, size);
    module._free(text);
    showReport();
  }, function(why) {
    report.textContent = 'The checker could not be loaded: ' + why;
  });
};
