# Page.cmake: writes the page a host serves, OUT, from its source, PAGE:
# the style sheet it links and the scripts it names, in their order, put
# into it, each stripped by esbuild of what a player never reads (comments,
# indentation, long local names), and its own comments taken out; so that
# the page is one request, and its sources stay as readable as they are.
#
#   cmake -DPAGE=index.html -DSOURCES=front/web -DWORK=folder -DOUT=out.html
#         -DESBUILD=esbuild -P Page.cmake
file(READ ${PAGE} page)

# text, minified as esbuild's loader (js, css) reads it.
function(minify loader text result)
    set(input ${WORK}/page-input.${loader})
    file(WRITE ${input} "${text}")
    execute_process(COMMAND ${ESBUILD} --minify --loader=${loader}
                            --log-level=warning
                    INPUT_FILE ${input} OUTPUT_VARIABLE minified
                    COMMAND_ERROR_IS_FATAL ANY)
    string(STRIP "${minified}" minified)
    set(${result} "${minified}" PARENT_SCOPE)
endfunction()

# <link rel="stylesheet" href="page.css">: the sheet, as <style>.
string(REGEX MATCH "<link rel=\"stylesheet\" href=\"([^\"]+)\">" link
       "${page}")
file(READ ${SOURCES}/${CMAKE_MATCH_1} sheet)
minify(css "${sheet}" sheet)
string(REPLACE "${link}" "<style>${sheet}</style>" page "${page}")

# <script src="a.js"></script> lines: the scripts, one after the other,
# as one <script> where the first stood.
string(REGEX MATCHALL "<script src=\"[^\"]+\"></script>\n" tags "${page}")
list(GET tags 0 first)
set(scripts "")
foreach(tag IN LISTS tags)
    string(REGEX MATCH "src=\"([^\"]+)\"" name "${tag}")
    file(READ ${SOURCES}/${CMAKE_MATCH_1} script)
    string(APPEND scripts "${script}")
    if(NOT tag STREQUAL first)
        string(REPLACE "${tag}" "" page "${page}")
    endif()
endforeach()
minify(js "${scripts}" scripts)
string(REPLACE "${first}" "<script>${scripts}</script>\n" page "${page}")

# The page's own comments (none holds "--").
string(REGEX REPLACE "<!--([^-]|-[^-])*-->\n?" "" page "${page}")
file(WRITE ${OUT} "${page}")
