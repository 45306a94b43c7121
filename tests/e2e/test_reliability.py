# SPDX-License-Identifier: GPL-3.0-or-later
"""Short versions of the reliability runs in scripts/reliability/: a one-minute soak, ten rounds
of the hand-off race, bursts of copies started together and a few seconds' storm of them, and the
settings under faults."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/reliability"))
import handoff_race  # noqa: E402
import settings_faults  # noqa: E402
import soak  # noqa: E402

SOAK_SECONDS = float(os.environ.get("ZORRIT_SOAK_SECONDS", "60"))
RACE_ROUNDS = int(os.environ.get("ZORRIT_RACE_ROUNDS", "10"))
STORM_SECONDS = float(os.environ.get("ZORRIT_STORM_SECONDS", "3"))


def quiet(_line):
    pass


class Soak(unittest.TestCase):
    def test_a_minute_of_moving_pointer_leaves_the_x_resources_flat_and_prints_nothing(self):
        samples, output, alive, moves = soak.run_soak(SOAK_SECONDS, interval=5, report=print)
        self.assertTrue(alive, "zorrit died")
        self.assertEqual(output, "")
        self.assertGreater(moves, 0)
        self.assertGreaterEqual(len(samples), 2)
        totals = [s["total"] for s in samples if "total" in s]
        self.assertEqual(len(totals), len(samples), "xrestop did not find zorrit's client")
        self.assertLessEqual(totals[-1], totals[0], f"X resources grew: {totals}")


class HandOffRace(unittest.TestCase):
    def test_one_copy_with_the_handed_theme_whenever_the_second_copy_starts(self):
        outcomes, problems = handoff_race.run_race(RACE_ROUNDS, seed=7, report=print)
        self.assertEqual(problems, [], "\n".join(f"round {n}: {p}\n{log}"
                                                 for n, _, p, log in problems))
        self.assertEqual(sum(outcomes.values()), RACE_ROUNDS)

    def test_copies_started_together_leave_only_the_last_started_with_its_theme(self):
        results = handoff_race.run_bursts([3, 5], rounds=2, settle_timeout=10, report=print)
        self.assertEqual([(count, r["problem"]) for count, r in results if r["problem"]], [])
        self.assertEqual(len(results), 4)

    def test_a_storm_of_launches_leaves_only_the_last_and_no_waiting_copy_on_the_x_server(self):
        figures, problems = handoff_race.run_storm(STORM_SECONDS, rate=20, wait=10, report=print)
        print(figures)
        self.assertEqual(problems, [])
        self.assertFalse(figures["X server refused a client"])
        # Only copies that hold the lock connect: one running and, for a moment, the next.
        self.assertLessEqual(figures["peak X clients"], 3 * figures["X clients of one copy alone"])


class SettingsFaults(unittest.TestCase):
    def test_no_crash_and_no_stored_value_lost(self):
        if os.geteuid() != 0:
            self.skipTest("needs root for the read-only mount and the small tmpfs")
        results = settings_faults.run_cases(report=print)
        failed = {name: r for name, r in results.items()
                  if r and not str(r).startswith("skipped")}
        self.assertEqual(failed, {})


if __name__ == "__main__":
    unittest.main()
