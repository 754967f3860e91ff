# Makefile: the commands a newcomer needs, on Debian 12.
#
#   make run      install what is missing, build, and start the panel
#   make test     the same set-up, then every test: a sanitizer build first,
#                 then the plain build with valgrind, the player's tests,
#                 and the checks of the Windows program and the tarball
#   make windows  cross-build build-windows/zelm.exe and its portable zip;
#                 ZELM_WIN_SOURCES=... names the folder of the SDL, SDL_image
#                 and libpng source archives the zip's DLLs are built from
#                 (make test uses ../shared/third_party when it is there);
#                 ZELM_SDL_MINGW_DIR=... links against the official SDL 1.2
#                 and SDL_image 1.2 MinGW development files in that folder
#   make fuzz     the fuzz targets of LoadImage and of the answer checker,
#                 built with clang in build-fuzz/
#   make web      the page: build-web/site/, the files a static host
#                 serves, built with Debian's emscripten
#   make serve-web  the same, served on http://127.0.0.1:8320/
#   make dist     the Linux tarball: build/zelm-linux-x86_64.tar.gz
#   make deb      the Debian package: build/zelm_<version>_amd64.deb
#   make bench    measure zelm beside a plain C floor doing the same work
#   make art      render data/*.png, the icon and the page's icons afresh
#                 from art/
#
# Package installation needs root; as another user it goes through sudo.

# What building and playing need, and what the tests and tools add.
RUN_PACKAGES := make cmake g++ libsdl1.2-dev libsdl-image1.2-dev libpng-dev
WINDOWS_PACKAGES := g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 \
                    libz-mingw-w64 libz-mingw-w64-dev autoconf patch \
                    pkg-config
WEB_PACKAGES := make cmake emscripten python3
TEST_PACKAGES := $(RUN_PACKAGES) $(WINDOWS_PACKAGES) $(WEB_PACKAGES) \
                 libgtest-dev libbenchmark-dev xvfb xdotool imagemagick \
                 valgrind icoutils wine wine64 clang libclang-rt-14-dev \
                 dpkg-dev lintian desktop-file-utils appstream chromium
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
WERROR ?= ON
JOBS ?= 2
WEB_PORT ?= 8320
WEB_BENCH ?= OFF

# Installs whichever of $(1) are missing.
define install_missing
	@missing=""; for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | \
	        grep -q '^install ok installed$$' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y \
	        --no-install-recommends $$missing; \
	fi
endef

.PHONY: run test deps deps-run deps-web build build-asan windows fuzz web \
        serve-web dist deb bench art clean

# A first `make run` configures without the tests and benchmarks, so that
# playing needs no test tools; `make test` turns them on in the same build.
run: deps-run
	@[ -f build/CMakeCache.txt ] || cmake -S . -B build -DBUILD_TESTING=OFF \
	    -DZELM_BENCH=OFF
	cmake --build build --target zelm -j$(JOBS)
	@if [ -z "$$DISPLAY" ]; then \
	    echo "zelm needs an X11 display, and DISPLAY is not set."; exit 1; fi
	./build/zelm

# The Windows DLLs come from the archives beside the project, where they are.
test: ZELM_WIN_SOURCES ?= $(wildcard $(abspath ../shared/third_party))
test: build-asan windows fuzz web dist deb
	cd build-asan && ctest --output-on-failure
	cd build-fuzz && ctest --output-on-failure
	cd build-windows && ctest --output-on-failure
	cd build-web && ctest --output-on-failure
	cd build && ctest --output-on-failure

deps-run:
	$(call install_missing,$(RUN_PACKAGES))

deps:
	$(call install_missing,$(TEST_PACKAGES))

deps-web:
	$(call install_missing,$(WEB_PACKAGES))

build: deps
	cmake -S . -B build -DZELM_WERROR=$(WERROR) -DBUILD_TESTING=ON \
	    -DZELM_BENCH=ON
	cmake --build build -j$(JOBS)

build-asan: deps
	cmake -S . -B build-asan -DZELM_WERROR=$(WERROR) -DZELM_SANITIZE=ON \
	    -DZELM_BENCH=OFF
	cmake --build build-asan -j$(JOBS)

windows: deps
	cmake -S . -B build-windows -DZELM_WERROR=$(WERROR) \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	    -DZELM_SDL_MINGW_DIR=$(ZELM_SDL_MINGW_DIR) \
	    -DZELM_WIN_SOURCES=$(ZELM_WIN_SOURCES)
	cmake --build build-windows -j$(JOBS)
	cd build-windows && cpack -G ZIP

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DZELM_WERROR=$(WERROR) \
	    -DZELM_FUZZ=ON -DZELM_BENCH=OFF
	cmake --build build-fuzz --target load_image_fuzz answer_fuzz -j$(JOBS)

# Debian's emcc runs Node on modules Debian keeps in /usr/share/nodejs.
web: export NODE_PATH := /usr/share/nodejs
web: deps-web
	emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DZELM_WERROR=$(WERROR) -DZELM_BENCH=$(WEB_BENCH)
	cmake --build build-web -j$(JOBS)

serve-web: web
	@echo "zelm in the browser: http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C ends)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory \
	    build-web/site

dist: build
	cd build && cpack -G TGZ

deb: build
	cd build && cpack -G DEB

bench: WEB_BENCH = ON
bench: build web
	python3 bench/measure.py build . build-web

art: build
	./build/zelm_art data art/icon.txt front/zelm.ico front/web

clean:
	rm -rf build build-asan build-windows build-fuzz build-web
