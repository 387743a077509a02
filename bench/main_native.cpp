// Native figures; the Wine figures come from bench_win32.exe.
void benchJpeg();

int main() {
    benchJpeg();
    return 0;
}
