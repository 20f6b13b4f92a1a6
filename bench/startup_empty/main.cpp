// The reference of the start-up benchmark: a program that links every
// library the player links, so the loader maps and relocates the same shared
// objects, and does nothing else.
int main() { return 0; }
