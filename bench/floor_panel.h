/* floor_panel.h: the panel's window work in plain C, the cost floor. */
#ifndef ZELM_BENCH_FLOOR_PANEL_H
#define ZELM_BENCH_FLOOR_PANEL_H

#ifdef __cplusplus
extern "C" {
#endif

int FloorInit(void);  /* 1 when the window and all images are ready */
void FloorDraw(void); /* white, background, lit lamps, flip */
int FloorRun(void);   /* the event loop; 0 on Escape or close */
void FloorDestroy(void);

#ifdef __cplusplus
}
#endif

#endif
