// cheatsheet.cpp: draws the state table on a card, from the circuit itself.
//
//      *=Y     INPUTS AB          the red dot is the output y, lit or dark,
//      NOW   00   01   10   11    for the state in its row and the inputs
//      000  011* 001  000  000    in its column; the digits are the state
//      ...                        after one clock step
#include "cheatsheet.h"

#include "circuit.h"
#include "font.h"

static const Colour kPaper = {0.95f, 0.92f, 0.82f, 1};
static const Colour kPaperEdge = {0.80f, 0.74f, 0.58f, 1};
static const Colour kRule = {0.84f, 0.78f, 0.62f, 1};
static const Colour kInk = {0.14f, 0.15f, 0.20f, 1};
static const Colour kHeading = {0.48f, 0.34f, 0.10f, 1};
static const Colour kDotLit = {0.90f, 0.13f, 0.08f, 1};
static const Colour kDotRim = {0.55f, 0.06f, 0.04f, 1};
static const Colour kDotDark = {0.70f, 0.64f, 0.52f, 1};

static const int kStateX = 5; // left of the NOW column
static const int kCellX = 34; // left of the first input column
static const int kCellPitch = 30;
static const int kLegendY = 4;
static const int kHeaderY = 15;
static const int kFirstRowY = 27;
static const int kRowPitch = 9;

// The three digits of a state q2 q1 q0.
static void StateDigits(char* out, int state)
{
    out[0] = state & 4 ? '1' : '0';
    out[1] = state & 2 ? '1' : '0';
    out[2] = state & 1 ? '1' : '0';
    out[3] = '\0';
}

// The output's mark: a small red lamp, lit or dark.
static void DrawOutputDot(Canvas& canvas, float cx, float cy, bool lit)
{
    if (lit)
        FillDisc(canvas, cx, cy, 2.6f, kDotLit, kDotRim);
    else
        FillRing(canvas, cx, cy, 1.6f, 2.6f, kDotDark);
}

static void DrawCard(Canvas& canvas)
{
    FillRoundRect(canvas, 0, 0, kSheetWidth, kSheetHeight, 3, kPaperEdge,
                  kPaperEdge);
    FillRoundRect(canvas, 1, 1, kSheetWidth - 1, kSheetHeight - 1, 2, kPaper,
                  kPaper);
    StrokeLine(canvas, 4, kFirstRowY - 3.5f, kSheetWidth - 4, kFirstRowY - 3.5f,
               1, kPaperEdge);
    StrokeLine(canvas, kCellX - 6.5f, kHeaderY - 1, kCellX - 6.5f,
               kSheetHeight - 4, 1, kPaperEdge);
    for (int row = 2; row < 8; row += 2) {
        float y = kFirstRowY + row * kRowPitch - 1.5f;
        StrokeLine(canvas, 4, y, kSheetWidth - 4, y, 1, kRule);
    }
}

static void DrawHeadings(Canvas& canvas)
{
    DrawOutputDot(canvas, kStateX + 2.5f, kLegendY + 3.5f, true);
    DrawText(canvas, kStateX + 6, kLegendY, "=Y", kHeading, 1);
    DrawTextCentred(canvas, kCellX + (3 * kCellPitch + 25) / 2, kLegendY,
                    "INPUTS AB", kHeading);
    DrawText(canvas, kStateX, kHeaderY, "NOW", kHeading, 1);
    const char* const pairs[4] = {"00", "01", "10", "11"};
    for (int column = 0; column < 4; column++)
        DrawText(canvas, kCellX + column * kCellPitch + 3, kHeaderY,
                 pairs[column], kHeading, 1);
}

Canvas DrawCheatSheet()
{
    Canvas canvas = MakeCanvas(kSheetWidth, kSheetHeight, kPaper);
    DrawCard(canvas);
    DrawHeadings(canvas);
    char digits[4];
    for (int state = 0; state < kStateCount; state++) {
        int y = kFirstRowY + state * kRowPitch;
        StateDigits(digits, state);
        DrawText(canvas, kStateX, y, digits, kInk, 1);
        for (int inputs = 0; inputs < kInputPairCount; inputs++) {
            Circuit now = CircuitIn(CaseNumber(state, inputs));
            StateDigits(digits, StateOf(AfterClockEdge(now)));
            int x = kCellX + inputs * kCellPitch;
            DrawText(canvas, x, y, digits, kInk, 1);
            DrawOutputDot(canvas, x + 21.5f, y + 3.5f, OutputOf(now));
        }
    }
    return canvas;
}
