# The two commands of the README, and the tools around them.
#   make run    install what is missing, build, open the example diary
#   make test   install what is missing, build, run every test
#   make package  the Debian package build/default/gastrolog_VERSION_amd64.deb
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test package asan fuzz bench format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	build/default/gastrolog res/example.glg

test: build
	ctest --preset default

package: build
	cmake --build --preset default --target package

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzz build/fuzz $(FUZZ_SECONDS)

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	scripts/run-bench build/bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
