#include "point_inside.h"

int main(int argc, char** argv) { return point_inside::run(argc, argv); }
