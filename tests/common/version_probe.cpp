

// A program that does nothing: the version tests read the block the build
// gives it, or find none.
int main() {
    return 0;
}
