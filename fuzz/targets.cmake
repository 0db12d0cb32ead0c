# The fuzz targets, one line each: NAME builds fuzz/NAME_fuzz.cpp; its seed corpus is
# fuzz/corpus/NAME/ and the files the SEEDS globs (from the repository root) name.
jirakubo_fuzz_target(problem_file SEEDS tests/fixtures/*.mojx tests/fixtures/*.moj)
jirakubo_fuzz_target(codec SEEDS tests/fixtures/*.mojx tests/fixtures/dictionary_small.txt)
jirakubo_fuzz_target(settings SEEDS)
jirakubo_fuzz_target(reading_dictionary SEEDS tests/fixtures/dictionary_*.txt)
# Shorter runs for these: the test suite fuzzes each for 20 s (the four above for 60 s).
jirakubo_fuzz_target(manuscript_options SECONDS 20 SEEDS)
jirakubo_fuzz_target(data_edit SECONDS 20 SEEDS tests/fixtures/*.mojx)
jirakubo_fuzz_target(merge SECONDS 20 SEEDS tests/fixtures/*.mojx)
jirakubo_fuzz_target(text_flow SECONDS 20 SEEDS)
jirakubo_fuzz_target(reading_proposer SECONDS 20 SEEDS)
jirakubo_fuzz_target(cli_values SECONDS 20 SOURCES src/cli/option_values.cpp SEEDS)
jirakubo_fuzz_target(csv_import SECONDS 20 SEEDS tests/fixtures/peer_list_*.csv)
