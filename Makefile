# Makefile: the commands a newcomer needs, on Debian 12.
#
#   make run      install what is missing, build the panel and the answer
#                 checker, and start the panel
#   make check    the quick loop: install what building and GoogleTest
#                 need, build the plain tree, and run the unit tests of
#                 the core, the checker and the front end
#   make test     the same set-up, then every test: a sanitizer build, the
#                 fuzz targets, the plain build with valgrind and the
#                 player's tests, then the release (below) with the tests
#                 of its own files, and a second release built elsewhere
#                 that must give the same bytes
#   make release  every file a player downloads, in build-release/: the
#                 Debian package, the Linux tarball, the Windows zip and
#                 installer, the page as a zip and the sources, with
#                 SHA256SUMS; the same bytes from the same commit wherever
#                 it is built.  Dates come from SOURCE_DATE_EPOCH, or the
#                 last commit.  The Windows DLLs are built from the
#                 source archives in third_party/ (SDL 2, sdl12-compat,
#                 SDL_image and libpng), or in the folder
#                 ZELM_WIN_SOURCES=... names
#   make windows  cross-build build-windows/zelm.exe and zelm-check.exe,
#                 with the DLLs, or alone with ZELM_WIN_SOURCES= (empty);
#                 ZELM_SDL_MINGW_DIR=... links against the official SDL 1.2
#                 and SDL_image 1.2 MinGW development files in that folder
#   make fuzz     the fuzz targets of LoadImage and of the answer checker,
#                 built with clang in build-fuzz/
#   make web      the page: build-web/site/, the files a static host
#                 serves, built with Debian's emscripten
#   make serve-web  the same, served on http://127.0.0.1:8320/
#   make bench    measure zelm beside a plain C floor doing the same work
#   make art      render data/*.png, the icon and the page's icons afresh
#                 from art/
#   make po       write the template of the messages, po/zelm.pot, afresh
#                 from the sources, and merge it into every catalog
#                 (docs/translating.md)
#
# Each command installs the Debian packages it needs, and only those,
# where any is missing: as root, or through sudo.

# What each command needs of Debian's packages; make test and make
# release need everything they run.
packages_run := make cmake g++ libsdl1.2-dev libsdl-image1.2-dev libpng-dev \
                gettext po4a
packages_check := $(packages_run) libgtest-dev groff-base
packages_build := $(packages_check) libbenchmark-dev
packages_fuzz := $(packages_run) clang libclang-rt-14-dev
packages_windows := make cmake libsdl1.2-dev libsdl-image1.2-dev \
                    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 \
                    libz-mingw-w64 libz-mingw-w64-dev autoconf patch \
                    pkg-config gettext
packages_web := make cmake emscripten esbuild python3 gettext
packages_po := gettext po4a python3
packages_bench := $(packages_build) $(packages_web) xvfb xdotool \
                  imagemagick valgrind chromium
packages_release := $(packages_run) $(packages_windows) $(packages_web) \
                    git dpkg-dev nsis
packages_test := $(packages_bench) $(packages_fuzz) $(packages_release) \
                 icoutils wine wine64 lintian desktop-file-utils appstream \
                 libsdl1.2-compat x11-utils x11-xserver-utils faketime \
                 diffoscope-minimal clang-format poppler-utils i18nspector \
                 locales

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
WERROR ?= ON
JOBS ?= 2
WEB_PORT ?= 8320
WEB_BENCH ?= OFF
RELEASE ?= build-release
# The folder of the Windows DLLs' source archives, when it is not the
# repository's own third_party/; given empty (ZELM_WIN_SOURCES=), none:
# make windows builds the programs alone, without the DLLs, and its tree
# keeps that choice until it is given again, while make release refuses
# it.  A release tree is told its folder every time, so that it never
# keeps an empty one from before.
win_sources := $(if $(ZELM_WIN_SOURCES),$(abspath $(ZELM_WIN_SOURCES)))
WIN_SOURCES := $(if $(filter undefined,$(origin ZELM_WIN_SOURCES)),,\
    -DZELM_WIN_SOURCES=$(win_sources))
RELEASE_WIN_SOURCES := -DZELM_WIN_SOURCES=$(if $(filter undefined,\
    $(origin ZELM_WIN_SOURCES)),$(CURDIR)/third_party,$(win_sources))

# deps-NAME installs whichever of packages_NAME are missing; through
# sudo, env carries apt's setting past sudo's clean environment.
deps-%:
	@missing=""; for p in $(packages_$*); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | \
	        grep -q '^install ok installed$$' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y \
	        --no-install-recommends $$missing; \
	fi

# locale-LL_CC generates the locale LL_CC.UTF-8 where it is missing: Wine
# takes a program's display language from it, and the checker honours
# LANGUAGE only under a real locale (the tests' German and French).
locale-%:
	@locale -a | grep -qx '$*.utf8' || $(SUDO) localedef -i $* -f UTF-8 \
	    $*.UTF-8

.PHONY: run check test build build-asan release windows fuzz web serve-web \
        bench art po clean

# The plain tree, where it is not there yet, configured without the tests
# and benchmarks, so that playing and drawing need no test tools; `make
# test` turns them on in the same tree.
define plain_tree_for_playing
	@[ -f build/CMakeCache.txt ] || cmake -S . -B build -DBUILD_TESTING=OFF \
	    -DZELM_BENCH=OFF
endef

run: deps-run
	$(plain_tree_for_playing)
	cmake --build build --target zelm zelm-check -j$(JOBS)
	@if [ -z "$$DISPLAY" ]; then \
	    echo "zelm needs an X11 display, and DISPLAY is not set."; exit 1; fi
	./build/zelm

# The plain tree, with only the unit tests' targets built; a tree that
# make test configured keeps its benchmarks.
check: deps-check
	@[ -f build/CMakeCache.txt ] || cmake -S . -B build -DZELM_BENCH=OFF
	cmake -S . -B build -DBUILD_TESTING=ON
	cmake --build build -j$(JOBS) --target core_test check_test front_test \
	    zelm-check
	cd build && ctest -L unit --output-on-failure

test: deps-test locale-de_DE locale-fr_FR build-asan fuzz build release
	cd build-asan && ctest --output-on-failure
	cd build-fuzz && ctest --output-on-failure
	cd build && ctest --output-on-failure
	cd $(RELEASE)/linux && ctest --output-on-failure
	cd $(RELEASE)/windows && ctest --output-on-failure
	cd $(RELEASE)/web && ctest --output-on-failure

build: deps-build
	cmake -S . -B build -DZELM_TREE=plain -DZELM_WERROR=$(WERROR) \
	    -DBUILD_TESTING=ON -DZELM_BENCH=ON
	cmake --build build -j$(JOBS)

build-asan: deps-build
	cmake -S . -B build-asan -DZELM_TREE=sanitize -DZELM_WERROR=$(WERROR) \
	    -DZELM_BENCH=OFF
	cmake --build build-asan -j$(JOBS)

# A release tree for each platform, built, then packed into $(RELEASE)
# by its release target; the arguments are the tree's name and its own
# configure options.
define release_tree
	$(2) cmake -S . -B $(RELEASE)/$(1) -DZELM_TREE=release \
	    -DZELM_RELEASE_DIR=$(abspath $(RELEASE)) -DZELM_WERROR=$(WERROR) \
	    -DZELM_BENCH=OFF $(3)
	cmake --build $(RELEASE)/$(1) -j$(JOBS)
	cmake --build $(RELEASE)/$(1) --target release
endef

release: export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct \
                                              2>/dev/null)
release: export NODE_PATH := /usr/share/nodejs
release: deps-release
	@[ -n "$$SOURCE_DATE_EPOCH" ] || { echo "make release: there is no \
	.git here to date the release by, so set SOURCE_DATE_EPOCH to its \
	time in seconds since 1970."; exit 1; }
	cmake $(RELEASE_WIN_SOURCES) -P cmake/windows/Sources.cmake
	rm -f $(RELEASE)/zelm[-_]* $(RELEASE)/SHA256SUMS
	$(call release_tree,linux,,-DCMAKE_BUILD_TYPE=None \
	    -DCMAKE_INSTALL_PREFIX=/usr)
	$(call release_tree,windows,,$(RELEASE_WIN_SOURCES) \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
	$(call release_tree,web,emcmake,-DCMAKE_BUILD_TYPE=MinSizeRel)
	cd $(RELEASE) && ls zelm[-_]* | LC_ALL=C sort | xargs sha256sum \
	    > SHA256SUMS
	@cat $(RELEASE)/SHA256SUMS

windows: deps-windows
	cmake -S . -B build-windows -DZELM_WERROR=$(WERROR) \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	    -DZELM_SDL_MINGW_DIR=$(ZELM_SDL_MINGW_DIR) $(WIN_SOURCES)
	cmake --build build-windows -j$(JOBS)

fuzz: deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DZELM_TREE=fuzz \
	    -DZELM_WERROR=$(WERROR) -DZELM_BENCH=OFF
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

bench: WEB_BENCH = ON
bench: deps-bench build web
	PYTHONPATH=tests/drivers python3 bench/measure.py build . build-web

art: deps-run
	$(plain_tree_for_playing)
	cmake --build build --target zelm_art -j$(JOBS)
	./build/zelm_art . art/icon.txt front/zelm.ico front/web

# The template, and each catalog merged with it: a message the sources
# changed is marked fuzzy, with its previous English, for its translator.
po: deps-po
	python3 po/template.py . po/zelm.pot
	for language in $$(sed 's/#.*//' po/LINGUAS); do \
	    msgmerge --quiet --update --backup=none --previous \
	        po/$$language.po po/zelm.pot || exit 1; \
	done

clean:
	rm -rf build build-asan build-windows build-fuzz build-web $(RELEASE)
