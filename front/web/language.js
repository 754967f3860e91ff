// language.js: the page in the player's language.
//
// Every text of the page is written in English and is a message of the
// catalogs (po/): in the markup, the content of each element marked
// data-i18n (the attribute's value, where it has one, its context) and
// every aria-label and placeholder; in the scripts, what _(), pgettext()
// and ngettext() are given.  A text that changes is shown through show(),
// which says it again in each language chosen later.  From each catalog
// that po/LINGUAS names, the build writes the page's messages as LL.json,
// with the catalog's plural expression as written, the checker's catalog
// as LL.mo, and the language's name, in its own words, into the menu.
//
// The language is the one the address asks for (?lang=de, or pt-BR, or
// pt_BR), never kept; else the one the player chose in the menu, kept in
// this browser; else the first of the browser's languages that the page
// carries; else English.  A catalog that does not arrive leaves the page
// as it was.
var languageMenu = document.getElementById('language');
var language = 'en';
var catalog = null; // the language's messages and plural, or null: English
var shownElements = new Set();

function pgettext(context, message) {
  var translated = catalog &&
      catalog.messages[context ? context + '\u0004' + message : message];
  return typeof translated == 'string' ? translated : message;
}
function _(message) {
  return pgettext('', message);
}
function ngettext(singular, plural, count) {
  var forms = catalog && catalog.messages[singular];
  return Array.isArray(forms) && forms[catalog.plural(count)] ||
         (count == 1 ? singular : plural);
}

// The message with its placeholders filled: %1$s (or %1$d) by the first
// value after it, and so on; %s by the next; %% as %.
function format(message) {
  var values = arguments, next = 1;
  return message.replace(/%(?:(\d)\$)?[sd]|%%/g, function(found, number) {
    return found == '%%' ? '%' : values[number ? +number : next++];
  });
}

// Shows in the element what words() says, and again in each language
// chosen later.
function show(element, words) {
  element.words = words;
  shownElements.add(element);
  element.textContent = words();
}

// The markup's messages and every text shown, in the language in use.
function translatePage() {
  document.querySelectorAll('[data-i18n]').forEach(function(element) {
    element.english = element.english ||
                      element.innerHTML.replace(/\s+/g, ' ').trim();
    element.innerHTML = pgettext(element.dataset.i18n, element.english);
  });
  ['aria-label', 'placeholder'].forEach(function(name) {
    document.querySelectorAll('[' + name + ']').forEach(function(element) {
      var english = element['english ' + name] =
          element['english ' + name] || element.getAttribute(name);
      element.setAttribute(name, _(english));
    });
  });
  shownElements.forEach(function(element) {
    element.textContent = element.words();
  });
}

// The language the page carries for a tag, as de, de-AT, de_AT or pt-BR
// give it: the same, or its language alone; or ''.
function carried(tag) {
  var name = String(tag).replace('-', '_').toLowerCase();
  var values = [...languageMenu.options].map(function(option) {
    return option.value;
  });
  return values.find(function(value) {
    return value.toLowerCase() == name;
  }) || values.find(function(value) {
    return value.toLowerCase() == name.split('_')[0];
  }) || '';
}

// Takes the language in use, once its catalog has arrived; English, the
// page's own, needs none.
function useLanguage(chosen) {
  if (chosen == language)
    return;
  var arriving = chosen == 'en' ? Promise.resolve(null) :
      arrival(chosen + '.json').then(function(bytes) {
        var json = JSON.parse(new TextDecoder().decode(bytes));
        return {plural: new Function('n', 'return +(' + json.plural + ')'),
                messages: json.messages};
      });
  arriving.then(function(messages) {
    language = chosen;
    catalog = messages;
    document.documentElement.lang = chosen.replace('_', '-');
    translatePage();
    useCheckerLanguage();
  }, function() {}).then(function() {
    languageMenu.value = language;
  });
}
languageMenu.onchange = function() {
  writeStored('zelm-language', languageMenu.value);
  useLanguage(languageMenu.value);
};
useLanguage(carried(new URLSearchParams(location.search).get('lang')) ||
            carried(readStored('zelm-language')) ||
            navigator.languages.map(carried).find(Boolean) || 'en');
