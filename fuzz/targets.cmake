# The fuzz targets, one line each: NAME builds fuzz/NAME_fuzz.cpp; its seed corpus is
# fuzz/corpus/NAME/ and the files the SEEDS globs (from the repository root) name.
jirakubo_fuzz_target(problem_file SEEDS tests/fixtures/*.mojx tests/fixtures/*.moj)
jirakubo_fuzz_target(codec SEEDS tests/fixtures/*.mojx tests/fixtures/dictionary_small.txt)
jirakubo_fuzz_target(settings SEEDS)
jirakubo_fuzz_target(reading_dictionary SEEDS tests/fixtures/dictionary_*.txt)
