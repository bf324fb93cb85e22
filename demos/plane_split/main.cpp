#include "plane_split.h"

int main(int argc, char** argv) { return plane_split::run(argc, argv); }
