#pragma once

// For the start-up benchmark only: with KALTRIX_BENCH_EXPOSED set, prints "exposed" once the first window
// has been exposed and painted, then quits. Without the variable it does nothing.
void reportFirstExposeIfAsked();
