"""Faults from outside: crashing servers, a drive removed behind the program's back, a database that
will not stop, no "Command" program, and a second instance. Each case checks what the user sees and
that nothing is lost."""
import os
import time
import unittest

from harness import STARTED, STOPPED, SessionTest
from test_servers import STATUS, expect_status


class Faults(SessionTest):

    def test_a_crash_loop_is_followed_tick_by_tick_and_the_program_stays_responsive(self):
        s = self.session().start()
        s.wait_for(lambda: s.running('Apache.exe') == 2, 60, 'Apache')
        for attempt in range(3):
            s.control('apache.crash')
            s.wait_for(lambda: s.running('Apache.exe') == 0, 20, 'the crash')
            crashed = time.monotonic()
            expect_status(self, s, STOPPED, STARTED, timeout=12)
            # One tick is 2.5 s; reading the menu from the screen adds a few seconds of its own.
            self.assertLess(time.monotonic() - crashed, 12)
            s.uncontrol('apache.crash')
            s.pick((STATUS, 'D\u00e9marrer Apache'))
            s.wait_for(lambda: s.running('Apache.exe') == 2, 20, 'Apache again (attempt %d)' % attempt)
            expect_status(self, s, STARTED, STARTED, timeout=12)
        self.assertEqual(len(s.starts('apache.log')), 4)

    def test_the_drive_removed_from_outside_leaves_the_program_answering_and_quit_still_ends_it(self):
        s = self.session().start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 1, 60, 'MySQL')
        os.unlink(s.prefix / 'dosdevices' / 'w:')
        time.sleep(3)
        expect_status(self, s, STARTED, STARTED)  # the servers run on; the poll goes by image name
        s.pick(('Quitter',))
        # The shut-down tool lay on the vanished drive, so the database cannot be asked to stop: it is
        # given the bound, then terminated, and the program ends.
        s.wait_for(lambda: not s.controller_running(), 40, 'the program to end')
        self.assertEqual(s.running('Apache.exe') + s.running('mysqld-opt.exe'), 0)
        self.assertEqual(s.starts('mysqladmin.log'), [])

    def test_a_database_that_refuses_to_stop_keeps_running_and_quit_terminates_it_after_the_bound(self):
        s = self.session()
        s.control('mysql.refuse')
        s.start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 1, 60, 'MySQL')
        expect_status(self, s, STARTED, STARTED)
        s.pick((STATUS, 'Arr\u00eater MySQL'))
        s.wait_for(lambda: 'shutdown refused' in s.log('mysql.log'), 20, 'the refusal')
        time.sleep(3)
        self.assertEqual(s.running('mysqld-opt.exe'), 1)
        self.assertEqual(len(s.starts('mysql.log')), 1, 'no second server was launched')
        expect_status(self, s, STARTED, STARTED)

        s.pick(('Quitter',))
        asked = time.monotonic()
        s.wait_for(lambda: not s.controller_running(), 40, 'the program to end')
        self.assertGreater(time.monotonic() - asked, 12, 'the database was given its time to stop')
        self.assertEqual(s.running('mysqld-opt.exe'), 0, 'terminated after the bound')
        self.assertNotIn('clean shutdown', s.log('mysql.log'))
        self.assertIsNone(s.drive_target())

    def test_without_a_command_program_the_cmd_fallback_maps_and_unmaps_the_drive(self):
        s = self.session(interpreter='cmd.exe').start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 1, 60, 'MySQL')
        self.assertEqual(s.drive_target(), str(s.work / 'mnt'))
        self.assertIn('cmd.exe pwd=%s [/C] [Subst] [W:] [mnt]' % s.work, s.log('command.log'))
        s.wait_for_tray_icon()
        time.sleep(1)
        s.pick(('Quitter',))
        s.wait_for(lambda: not s.controller_running(), 30, 'the program to end')
        self.assertIn('[/C] [subst] [w:] [/d]', s.log('command.log'))
        self.assertIsNone(s.drive_target())

    def test_a_second_instance_beside_the_first_launches_its_own_and_both_quit_cleanly(self):
        s = self.session().start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 1, 60, 'the first instance')
        second = s.run_in_desktop_async(s.work / 'vantrel.exe')
        s.wait_for(lambda: s.running('vantrel.exe') == 2, 60, 'the second instance')
        s.wait_for(lambda: len(s.starts('mysql.log')) == 2 and len(s.starts('apache.log')) == 2, 60,
                   'the second launches')
        # Its mapping request fails (W: is taken); its servers find their ports taken and stop.
        self.assertEqual(s.log('command.log').count('[Subst] [W:] [mnt]'), 2, s.log('command.log'))
        self.assertEqual(s.drive_target(), str(s.work / 'mnt'))
        s.wait_for(lambda: 'port in use' in s.log('mysql.log') and 'port in use' in s.log('apache.log'), 20,
                   'the second servers to give up')
        self.assertEqual((s.running('Apache.exe'), s.running('mysqld-opt.exe')), (2, 1))
        s.pick(('Quitter',))
        s.wait_for(lambda: s.running('vantrel.exe') == 1, 60, 'one instance to end')
        # Quit acts on the servers by image name, whichever instance launched them.
        self.assertEqual(s.running('Apache.exe') + s.running('mysqld-opt.exe'), 0)
        self.assertEqual(s.log('mysql.log').count('clean shutdown'), 1)
        self.assertIsNone(s.drive_target())
        expect_status(self, s, STOPPED, STOPPED)
        s.pick(('Quitter',))
        s.wait_for(lambda: s.running('vantrel.exe') == 0, 60, 'the other instance to end')
        second.wait(30)


if __name__ == '__main__':
    unittest.main()
