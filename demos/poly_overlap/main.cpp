#include "poly_overlap.h"

int main(int argc, char** argv) { return poly_overlap::run(argc, argv); }
