#include "barycentric.h"

int main(int argc, char** argv) { return barycentric::run(argc, argv); }
