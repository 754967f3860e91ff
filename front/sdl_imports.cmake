# sdl_imports.cmake: the SDL functions the front end calls, by the library
# that exports them: all the Windows program imports from SDL.dll and
# SDL_image.dll.  The Windows link layer makes its import libraries from
# this list (cmake/windows/LinkLayer.cmake), and the tests may wrap only
# functions in it (tests/CMakeLists.txt).  A call to any other function
# of SDL's fails to link on Windows until it is added here.
set(ZELM_SDL_LIBRARIES SDL SDL_image)
set(ZELM_SDL_IMPORTS_SDL
    SDL_Init
    SDL_SetVideoMode
    SDL_WM_SetCaption
    SDL_DisplayFormat
    SDL_DisplayFormatAlpha
    SDL_FreeSurface
    SDL_MapRGB
    SDL_FillRect
    SDL_UpperBlit
    SDL_Flip
    SDL_WaitEvent
    SDL_GetError
    SDL_Quit)
set(ZELM_SDL_IMPORTS_SDL_image IMG_Load)
