#!/usr/bin/env python3
"""paired.py BEFORE AFTER: compares two `solver` RESULTS files of the same games, game by game.

Both runs play the same layouts, so most games end alike; the difference in classic wins is
judged by the games that ended differently, with its standard error."""
import math
import sys


def read(path):
    with open(path, encoding="ascii") as lines:
        return [line.split() for line in lines if line.strip()]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: paired.py BEFORE AFTER")
    before, after = read(sys.argv[1]), read(sys.argv[2])
    if len(before) != len(after) or not before:
        sys.exit("paired.py: the files must hold the same, non-zero number of games")
    n = len(before)
    lost = sum(1 for b, a in zip(before, after) if b[0] == "1" and a[0] == "0")
    gained = sum(1 for b, a in zip(before, after) if b[0] == "0" and a[0] == "1")
    won_before = sum(b[0] == "1" for b in before)
    won_after = sum(a[0] == "1" for a in after)
    print(f"classic: {100 * won_before / n:.2f} % -> {100 * won_after / n:.2f} %, "
          f"{100 * (gained - lost) / n:+.2f} +- {100 * math.sqrt(gained + lost) / n:.2f} points "
          f"over {n} games ({gained} won only after, {lost} only before)")
    hits_before = sum(int(b[2]) for b in before)
    hits_after = sum(int(a[2]) for a in after)
    print(f"game rules: {hits_before / n:.3f} -> {hits_after / n:.3f} mines hit a game")


if __name__ == "__main__":
    main()
