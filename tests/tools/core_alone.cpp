// Links the whole deciding core and does nothing: the test that runs ldd on it sees every
// library the core needs.
int main() {
    return 0;
}
