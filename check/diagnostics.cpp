// diagnostics.cpp: problems kept, and printed as a compiler prints them.
#include "diagnostics.h"

#include <algorithm>

#include "utf8.h"

void AddProblem(Problems* problems, const Place& place,
                const std::string& message)
{
    problems->count++;
    if (problems->first.size() < static_cast<size_t>(kMaxProblemsKept))
        problems->first.push_back({place, message});
}

// At most this many characters of a line are shown, around the place.
static const int kShownCharacters = 80;

// Characters from and to of the line, as they can be shown: each one
// column wide, a byte that is no UTF-8, a control character or an
// invisible one as '?' (so that the caret stands under it) and a tab as a
// blank.
static void PrintCharacters(FILE* out, const Line& line, int from, int to)
{
    const char* at = line.text;
    const char* end = at + line.length;
    for (int index = 0; at < end && index < to; index++) {
        uint32_t point = '?';
        int length = CharLength(at, end, &point);
        if (index >= from) {
            if (point == '\t')
                fputc(' ', out);
            else if (length == 0 || IsControl(point) || IsInvisible(point))
                fputc('?', out);
            else
                fwrite(at, 1, length, out);
        }
        at += length > 0 ? length : 1;
    }
}

// The line, clipped around the place, and a caret under the place.
static void QuoteLine(FILE* out, const Place& place)
{
    const Line& line = place.line;
    int characters = 0;
    const char* end = line.text + line.length;
    for (const char* at = line.text; at < end; characters++) {
        uint32_t point;
        int length = CharLength(at, end, &point);
        at += length > 0 ? length : 1;
    }
    int from = 0;
    if (characters > kShownCharacters)
        from = std::max(0, std::min(place.column - 1 - kShownCharacters / 2,
                                    characters - kShownCharacters));
    int to = from + kShownCharacters;
    fputs("  ", out);
    if (from > 0)
        fputs("…", out);
    PrintCharacters(out, line, from, to);
    if (to < characters)
        fputs("…", out);
    fprintf(out, "\n  %*s^\n", place.column - 1 - from + (from > 0), "");
}

void PrintDiagnostic(FILE* out, const char* name, const Place* place,
                     const std::string& message)
{
    if (place == NULL) {
        fprintf(out, "%s: %s\n", name, message.c_str());
        return;
    }
    fprintf(out, "%s:%d:%d: %s\n", name, place->line.number, place->column,
            message.c_str());
    if (place->line.text != NULL)
        QuoteLine(out, *place);
}

void PrintProblems(FILE* out, const char* name, const Problems& problems)
{
    for (const Problem& problem : problems.first)
        PrintDiagnostic(out, name, &problem.place, problem.message);
    if (problems.count > static_cast<int>(problems.first.size()))
        fprintf(out, "and %d more\n",
                problems.count - static_cast<int>(problems.first.size()));
}
