// The program of the link check in CMakeLists.txt: it only has to link.
int main() { return 0; }
