"""The tray icon, its French menu and the browser shortcuts, used with the mouse."""
import shutil
import time
import unittest

from harness import BUILD, SessionTest, normalise


class TrayMenu(SessionTest):

    def test_right_click_opens_the_french_menu_at_the_mouse(self):
        s = self.session().start()
        icon = s.wait_for_tray_icon(60)
        lines = s.open_menu()
        for caption in ('Raccourcis', 'Etat des serveurs', 'Quitter'):
            hit = s.find_line(lines, caption)
            self.assertTrue(hit, '%r not in %r' % (caption, lines))
            # Opened at the mouse: the menu lies just above and left of the icon that was clicked.
            self.assertLess(icon[1] - hit[2], 120)
            self.assertGreater(icon[1], hit[2])
            self.assertLess(icon[0] - hit[1], 300)
        s.xdotool('key', 'Escape')
        lines = s.open_submenu('Raccourcis', 'Accueil')
        for caption in ('Accueil', 'phpinfo()', 'phpMyAdmin'):
            self.assertTrue(s.find_line(lines, caption), '%r not in %r' % (caption, lines))
        s.xdotool('key', 'Escape', 'Escape')
        s.click(512, 300)
        s.wait_for(lambda: s.starts('mysql.log'), 30, 'MySQL')
        lines = s.open_submenu('Etat des serveurs', 'Apache')
        texts = [normalise(t) for t, _, _ in lines]
        self.assertIn(normalise('Apache : D\u00e9marr\u00e9'), texts)
        self.assertIn(normalise('MySQL : D\u00e9marr\u00e9'), texts)
        shot = s.screenshot('menu-open')
        shutil.copy(shot, BUILD / 'menu-open.png')
        # A click elsewhere closes the menu.
        s.click(300, 200)
        s.wait_for(lambda: not s.find_line(s.screen_lines('closed'), 'Quitter'), 10, 'the menu to close')

    def test_shortcuts_and_double_click_hand_their_addresses_to_the_browser(self):
        s = self.session().start()
        s.wait_for_tray_icon(60)
        opened = lambda: s.log('browser.log').split()
        cases = [(('Raccourcis', 'Accueil'), 'http://127.0.0.1/'),  # Wine adds the slash to a bare host
                 (('Raccourcis', 'phpinfo()'), 'http://127.0.0.1/phpinfo'),
                 (('Raccourcis', 'phpMyAdmin'), 'http://127.0.0.1/mysql/'),
                 (('Raccourcis', 'phpinfo()'), 'http://127.0.0.1/phpinfo')]  # each click opens anew
        for n, (path, address) in enumerate(cases, 1):
            s.pick(path)
            got = s.wait_for(lambda: len(opened()) >= n and opened(), 20, address)
            self.assertEqual(got[n - 1], address)
            self.assertEqual(len(got), n)

        # A single left click opens nothing; a double click opens the home page.
        icon = s.wait_for_tray_icon()
        s.click(*icon)
        time.sleep(2)
        self.assertEqual(len(opened()), len(cases))
        self.assertFalse(s.find_line(s.screen_lines('after-single-click'), 'Quitter'), 'a menu opened')
        s.click(*icon, repeat=2)
        got = s.wait_for(lambda: len(opened()) > len(cases) and opened(), 20, 'the double click')
        self.assertEqual(got[-1], 'http://127.0.0.1/')
        self.assertEqual(len(got), len(cases) + 1)

    def test_the_icon_comes_back_after_the_taskbar_restarts_and_still_answers(self):
        s = self.session().start()
        s.wait_for_tray_icon(60)
        s.wait_for(lambda: s.starts('mysql.log'), 30, 'MySQL')
        for restart in (1, 2):
            out = s.run_in_desktop(BUILD / 'tests' / 'standin' / 'taskbar_restart.exe').stdout.decode()
            self.assertIn('removed=1', out, 'restart %d: the icon was not there to remove' % restart)
            s.wait_for_tray_icon(20)
            lines = s.open_menu()
            self.assertTrue(s.find_line(lines, 'Quitter'))
            s.xdotool('key', 'Escape')
            s.click(512, 300)


if __name__ == '__main__':
    unittest.main()
