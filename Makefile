# The two commands of the README's quick start; the scripts do the work.
.PHONY: run test
run:
	scripts/run.sh
test:
	scripts/test.sh
