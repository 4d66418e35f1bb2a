"""Start-up: the real exe maps the stack drive, launches both servers as the layout says, and shows
nothing but its tray icon."""
import time
import unittest

from harness import STARTED, STOPPED, SessionTest, normalise

APACHE_PARAMS = '-f w:/usr/local/apache2/conf/httpd.conf -d w:/usr/local/apache2/'


def same_path(a, b):
    return a.replace('/', '\\').rstrip('\\').lower() == b.replace('/', '\\').rstrip('\\').lower()


class StartUp(SessionTest):

    def test_maps_the_drive_launches_both_servers_and_shows_no_window(self):
        s = self.session().start()
        apache = s.wait_for(lambda: s.starts('apache.log'), 60, 'Apache')
        mysql = s.wait_for(lambda: s.starts('mysql.log'), 60, 'MySQL')
        self.assertEqual(len(apache), 1)
        self.assertEqual(len(mysql), 1)
        self.assertIn('Command pwd=%s [/C] [Subst] [W:] [mnt]' % s.work, s.log('command.log'))
        self.assertEqual(s.drive_target(), str(s.work / 'mnt'))
        self.assertTrue(apache[0]['cmd'].endswith(' ' + APACHE_PARAMS), apache[0]['cmd'])
        self.assertIn('apache2/bin/Apache.exe', apache[0]['cmd'].replace('\\', '/'))
        self.assertTrue(same_path(apache[0]['cwd'], 'w:/usr/local/php'), apache[0]['cwd'])
        self.assertTrue(mysql[0]['cmd'].endswith(' --defaults-file=my.cnf'), mysql[0]['cmd'])
        self.assertTrue(same_path(mysql[0]['cwd'], 'w:/usr/local/mysql/bin/'), mysql[0]['cwd'])
        s.wait_for(lambda: s.starts('apache-child.log'), 30, 'the Apache child')
        self.assertEqual(s.running('Apache.exe'), 2)
        self.assertEqual(s.running('mysqld-opt.exe'), 1)

        # Nothing on screen but the desktop, an empty taskbar and the icon.
        s.wait_for_tray_icon()
        a = s.pixels('after-start')
        desktop = a[10, 10]
        self.assertTrue((a[:700] == desktop).all(), 'a window appeared on the desktop')
        taskbar = a[-18:-4, 80:900]
        self.assertTrue((taskbar == taskbar[7, 400]).all(axis=2).mean() > 0.99, 'a taskbar button appeared')

        # The menu, once the loop runs, tells both servers started.
        status = s.status_lines()
        self.assertIn(normalise('Apache : ' + STARTED), status)
        self.assertIn(normalise('MySQL : ' + STARTED), status)

    def test_without_a_stack_folder_it_still_reaches_its_loop_after_the_bounded_wait(self):
        s = self.session(stack=False).start()
        icon = s.wait_for_tray_icon(60)
        shown = time.monotonic()
        # During the wait the icon is shown but answers no click.
        s.click(*icon, button=3)
        time.sleep(2)
        self.assertFalse(s.find_line(s.screen_lines('during-wait'), 'Quitter'), 'the menu opened during the wait')
        # Whatever the click left queued is cleared once the wait is over.
        time.sleep(max(0.0, 12 - (time.monotonic() - shown)))
        s.xdotool('key', 'Escape')
        s.click(512, 300)
        # The menu answers once the wait is over, about ten seconds after start.
        s.open_menu()
        self.assertLess(time.monotonic() - shown, 30)
        self.assertIsNone(s.drive_target())
        s.xdotool('key', 'Escape')
        # The launches failed harmlessly; the status poll shows both servers stopped.
        s.click(512, 300)
        status = s.status_lines()
        self.assertIn(normalise('Apache : ' + STOPPED), status)
        self.assertIn(normalise('MySQL : ' + STOPPED), status)
        self.assertEqual(s.starts('apache.log'), [])

    def test_with_w_already_held_by_another_drive_it_launches_at_once_from_there(self):
        s = self.session(stack=False, drive_elsewhere=True).start()
        apache = s.wait_for(lambda: s.starts('apache.log'), 60, 'Apache')
        mysql = s.wait_for(lambda: s.starts('mysql.log'), 60, 'MySQL')
        # The launches follow the controller's own start at once, not after the ten-second drive bound.
        record = [line for line in s.log('times.log').splitlines() if line.startswith('apache.log')][0]
        fields = dict(f.split('=') for f in record.split()[1:])
        self.assertLess(int(fields['created']) - int(fields['parent_created']), 5000, record)
        self.assertEqual(s.drive_target(), str(s.elsewhere))
        self.assertTrue(apache[0]['cmd'].endswith(' ' + APACHE_PARAMS))
        self.assertTrue(same_path(mysql[0]['cwd'], 'w:/usr/local/mysql/bin/'))


if __name__ == '__main__':
    unittest.main()
