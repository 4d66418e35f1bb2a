"""The live status of both servers, the two toggles and quit, through the menu."""
import time
import unittest

from harness import STARTED, STOPPED, SessionTest, normalise

STATUS = 'Etat des serveurs'


def expect_status(test, s, apache, mysql, timeout=15):
    """Waits until the menu shows the given states, as a user reopening it would see them."""
    want = [normalise('Apache : ' + apache), normalise('MySQL : ' + mysql),
            normalise(('Arr\u00eater' if apache == STARTED else 'D\u00e9marrer') + ' Apache'),
            normalise(('Arr\u00eater' if mysql == STARTED else 'D\u00e9marrer') + ' MySQL')]
    seen = []

    def shows():
        seen[:] = s.status_lines()
        return all(w in seen for w in want)
    try:
        s.wait_for(shows, timeout, 'the status %s/%s' % (apache, mysql))
    except AssertionError:
        test.fail('menu shows %r, not %r' % (seen, want))


class StatusPoll(SessionTest):

    def test_crash_and_failed_start_show_stopped_at_the_next_tick(self):
        s = self.session()
        s.control('mysql.fail')  # the database stand-in cannot start
        s.start()
        s.wait_for(lambda: s.starts('mysql.log'), 60, 'the MySQL launch')
        expect_status(self, s, STARTED, STOPPED)
        s.control('apache.crash')
        s.wait_for(lambda: s.running('Apache.exe') == 0, 20, 'Apache to crash')
        expect_status(self, s, STOPPED, STOPPED, timeout=10)


class Toggles(SessionTest):

    def test_apache_stop_stays_stopped_and_start_starts_once(self):
        s = self.session().start()
        s.wait_for(lambda: s.running('Apache.exe') == 2, 60, 'both Apache processes')
        expect_status(self, s, STARTED, STARTED)
        s.pick((STATUS, 'Arr\u00eater Apache'))
        s.wait_for(lambda: s.running('Apache.exe') == 0, 20, 'Apache to stop')
        time.sleep(4)  # longer than a tick: nothing starts it again
        self.assertEqual(s.running('Apache.exe'), 0)
        self.assertEqual(len(s.starts('apache.log')), 1)
        expect_status(self, s, STOPPED, STARTED)

        s.pick((STATUS, 'D\u00e9marrer Apache'))
        s.wait_for(lambda: s.running('Apache.exe') == 2, 20, 'Apache to start')
        time.sleep(3)
        self.assertEqual(len(s.starts('apache.log')), 2, 'launched exactly once')
        expect_status(self, s, STARTED, STARTED)

    def test_mysql_is_asked_to_shut_down_and_started_again_with_the_small_config(self):
        s = self.session().start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 1, 60, 'MySQL')
        expect_status(self, s, STARTED, STARTED)
        s.pick((STATUS, 'Arr\u00eater MySQL'))
        s.wait_for(lambda: 'clean shutdown' in s.log('mysql.log'), 20, 'a clean shut-down')
        self.assertEqual(len(s.starts('mysqladmin.log')), 1)
        self.assertTrue(s.starts('mysqladmin.log')[0]['cmd'].endswith('  -u root shutdown'))
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 0, 20, 'MySQL to exit')
        time.sleep(3)
        self.assertEqual(len(s.starts('mysql.log')), 1, 'the stop did not start it again')
        expect_status(self, s, STARTED, STOPPED)

        s.pick((STATUS, 'D\u00e9marrer MySQL'))
        started = s.wait_for(lambda: len(s.starts('mysql.log')) == 2 and s.starts('mysql.log'), 20, 'MySQL')
        self.assertTrue(started[1]['cmd'].endswith(' --defaults-file=my-small.cnf'), started[1]['cmd'])
        self.assertEqual(started[1]['cwd'].lower(), ('Z:' + str(s.work).replace('/', '\\')).lower())
        expect_status(self, s, STARTED, STARTED)


class Quit(SessionTest):

    def test_quit_shuts_the_database_down_cleanly_removes_the_drive_and_ends(self):
        s = self.session()
        s.control('mysql.delay', '1000')
        s.start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') == 1 and s.running('Apache.exe') == 2, 60, 'both servers')
        s.wait_for_tray_icon()
        time.sleep(1)
        s.pick(('Quitter',))
        s.wait_for(lambda: not s.controller_running(), 30, 'the program to end')
        self.assertIn('clean shutdown', s.log('mysql.log'))
        self.assertEqual(s.running('Apache.exe'), 0)
        self.assertEqual(s.running('mysqld-opt.exe'), 0)
        self.assertIsNone(s.drive_target())
        self.assertIn('[/C] [subst] [w:] [/d]', s.log('command.log'))
        s.wait_for(lambda: s.tray_icon() is None, 10, 'the icon to leave the notification area')


if __name__ == '__main__':
    unittest.main()
