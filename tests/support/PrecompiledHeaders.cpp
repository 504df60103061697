// Nothing of its own: the program exists to compile the shared test headers
// (listed in CMakeLists.txt), and runs no test.
