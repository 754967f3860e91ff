// diagnostics.cpp: problems kept, and printed as a compiler prints them.
#include "diagnostics.h"

#include <algorithm>

#include "catalog.h"
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

// The characters of the line as written, each shown as it is, but a byte
// that is no UTF-8, a control character or an invisible one as '?' (so
// that the caret stands under it) and a tab as a blank: from the
// character numbered from to the one before to.  Returns the columns that
// those before the character numbered caret take.
static int PrintCharacters(FILE* out, const Line& line, int from, int to,
                           int caret)
{
    const char* at = line.written;
    const char* end = at + line.written_length;
    int columns = 0;
    for (int index = 0; at < end && index < to; index++) {
        uint32_t point = '?';
        int length = CharLength(at, end, &point);
        bool shown = length > 0 && point != '\t' && !IsControl(point) &&
                     !IsInvisible(point);
        if (index >= from) {
            if (shown)
                fwrite(at, 1, length, out);
            else
                fputc(point == '\t' ? ' ' : '?', out);
            if (index < caret)
                columns += shown ? ColumnsOf(point) : 1;
        }
        at += length > 0 ? length : 1;
    }
    return columns;
}

// The line, clipped around the place, and a caret under the place.
static void QuoteLine(FILE* out, const Place& place)
{
    const Line& line = place.line;
    int characters = 0;
    const char* end = line.written + line.written_length;
    for (const char* at = line.written; at < end; characters++) {
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
    int columns = PrintCharacters(out, line, from, to, place.column - 1);
    if (to < characters)
        fputs("…", out);
    fprintf(out, "\n  %*s^\n", columns + (from > 0), "");
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
    if (place->line.written != NULL)
        QuoteLine(out, *place);
}

void PrintProblems(FILE* out, const char* name, const Problems& problems)
{
    for (const Problem& problem : problems.first)
        PrintDiagnostic(out, name, &problem.place, problem.message);
    int more = problems.count - static_cast<int>(problems.first.size());
    if (more <= 0)
        return;
    // TRANSLATORS: after the problems shown, how many more the answer has.
    const char* rest = TranslatedPlural("and %1$d more", "and %1$d more", more);
    fprintf(out, "%s\n", Format(rest, {std::to_string(more)}).c_str());
}
