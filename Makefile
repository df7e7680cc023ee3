# The two entry points: `make demo` and `make test`. Both install what they
# need from Debian's packages first. `make bench` times the extraction engine
# against the system bzip2; it is never part of `make test`.
JOBS ?= $(shell nproc)

.PHONY: deps demo test bench native win64 win32

deps:
	@bash tools/deps.sh

native win64 win32: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j $(JOBS)

bench: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j $(JOBS)
	build/bench/bench/extract_bench

demo: win32 win64
	@build/host-tools/tools/pack/qvpack list build/win32/src/app/setup.exe
	@echo "The setup program is built (build/win32/src/app/setup.exe) and carries the"
	@echo "product listed above; the wizard is not yet: make demo will start it under"
	@echo "Wine once it exists."

test: native win64 win32
	@rc=0; \
	ctest --preset native -j $(JOBS) || rc=1; \
	ctest --preset win64 -j $(JOBS) || rc=1; \
	exit $$rc
