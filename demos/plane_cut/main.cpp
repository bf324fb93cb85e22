#include "plane_cut.h"

int main(int argc, char** argv) { return plane_cut::run(argc, argv); }
