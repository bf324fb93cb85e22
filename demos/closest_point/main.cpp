#include "closest_point.h"

int main(int argc, char** argv) { return closest_point::run(argc, argv); }
