// A fixture is read, never run.
int main() {
    return 0;
}
