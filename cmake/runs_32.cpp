// Whether a program built with this build's flags runs on this machine.
int main() { return 0; }
