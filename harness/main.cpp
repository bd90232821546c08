// vorlak: how well does a test file tell the date program from its mutants.
#include "harness/harness.hpp"

int main(int argc, char** argv) { vorlak::harness::main(argc, argv); }
