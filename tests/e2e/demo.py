"""The demo: the real vantrel.exe on the bundled stand-in stack in a Wine desktop.

On $DISPLAY it runs until the user picks "Quitter" in the tray menu. Without a display it runs on
Xvfb, opens the status menu as a user would, saves a screenshot, then quits through the menu.
"""
import os
import shutil
import sys
import time
from pathlib import Path

from harness import ROOT, Session, normalise


def main():
    out = Path(os.environ.get('VANTREL_DEMO_OUT', ROOT / 'out'))
    out.mkdir(parents=True, exist_ok=True)
    display = os.environ.get('DISPLAY')
    s = Session('demo', display=display)
    try:
        s.start()
        icon = s.wait_for_tray_icon(60)
        s.wait_for(lambda: s.running('mysqld-opt.exe') and s.running('Apache.exe'), 60, 'both servers')
        print('vantrel.exe is running in %s: W: -> %s, tray icon at %s' % (s.work, s.drive_target(), icon))
        print('processes: ' + ', '.join(sorted({n for _, n in s.processes()
                                                  if n.lower() in ('apache.exe', 'mysqld-opt.exe', 'vantrel.exe')})))
        if display:
            print('Right-click the gear at the bottom right of the Wine desktop; "Quitter" ends the demo.')
            # The Wine desktop outlives the program; the demo ends with the program.
            while s.controller_running():
                time.sleep(1)
            print('vantrel.exe has ended; W: %s' % (s.drive_target() or 'removed'))
            return 0
        s.wait_for(lambda: all(w in s.status_lines() for w in (normalise('Apache : D\u00e9marr\u00e9'),)), 20, 'status')
        s.open_submenu('Etat des serveurs', 'Apache')
        shot = out / 'demo.png'
        shutil.copy(s.screenshot('demo'), shot)
        print('screenshot of the open menu: %s' % shot)
        s.xdotool('key', 'Escape', 'Escape')
        s.click(512, 300)
        s.pick(('Quitter',))
        s.wait_for(lambda: not s.controller_running(), 30, 'the program to end')
        print('quit through the menu: database log says %r; W: %s; servers running: %d' % (
            s.log('mysql.log').strip().splitlines()[-1], s.drive_target() or 'removed',
            s.running('Apache.exe') + s.running('mysqld-opt.exe')))
        return 0
    finally:
        s.close()


if __name__ == '__main__':
    sys.exit(main())
