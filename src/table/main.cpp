#include "app.h"

int main(int argc, char **argv) { return tw::mLoad::Main(argc, argv); }
