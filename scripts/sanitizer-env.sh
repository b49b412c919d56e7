# Sourced by the scripts that run the sanitizer build: how AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer report. Any report fails the run.
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp:print_suppressions=0"
