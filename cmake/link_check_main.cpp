// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program of a floor's link check: the point is that it links at all.
int main() {
    return 0;
}
