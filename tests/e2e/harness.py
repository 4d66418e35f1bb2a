"""End-to-end harness: the real vantrel.exe on a stand-in stack, in a Wine virtual desktop on Xvfb.

Each Session has a throwaway Wine prefix, an X display of its own with a Wine desktop that has a
taskbar, and a working folder laid out as a user would have it: vantrel.exe beside the "mnt"
folder, whose programs are stand-ins that record how they were started. Tests act as a user does:
they right-click the tray icon, read the menu from the screen and click its items.
"""
import fcntl
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unicodedata
import unittest
from pathlib import Path

import numpy as np
from PIL import Image

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
BUILD = Path(os.environ.get('VANTREL_BUILD', ROOT / 'build' / 'win64'))
WINE = '/usr/lib/wine/wine64'
WINESERVER = '/usr/lib/wine/wineserver'
SCREEN = (1024, 768)
DESKTOP = '/desktop=shell,%dx%d' % SCREEN
ARTIFACTS = Path(os.environ.get('VANTREL_ARTIFACTS', BUILD / 'e2e-artifacts'))

STARTED, STOPPED = 'D\u00e9marr\u00e9', 'Arr\u00eat\u00e9'


def windows_path(path):
    return 'Z:' + str(path).replace('/', '\\')


def template_prefix():
    """A Wine prefix made once per build, with the recording browser registered; copied per test."""
    template = BUILD / 'e2e-prefix'
    lock = BUILD / 'e2e-prefix.lock'
    with open(lock, 'w') as held:
        fcntl.flock(held, fcntl.LOCK_EX)
        if not (template / 'ready').exists():
            shutil.rmtree(template, ignore_errors=True)
            env = dict(os.environ, WINEPREFIX=str(template), WINEDEBUG='-all')
            env.pop('DISPLAY', None)
            subprocess.run([WINE, 'wineboot', '-i'], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([WINE, 'reg', 'add', r'HKCU\Software\Wine\WineBrowser', '/v', 'Browsers',
                            '/d', str(HERE / 'record-browser'), '/f'], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([WINESERVER, '-w'], env=env, check=True)
            (template / 'ready').write_text('ok')
    return template


class Session:
    """One run of the controller in a stack folder of its own."""

    def __init__(self, name, stack=True, interpreter='Command', drive_elsewhere=False, display=None):
        self.name = name
        self.root = Path(tempfile.mkdtemp(prefix='vantrel-e2e-%s-' % name))
        self.prefix = self.root / 'prefix'
        self.work = self.root / 'work'
        self.logs = self.root / 'logs'
        self.elsewhere = self.root / 'other-drive'
        self.shots = ARTIFACTS / name
        shutil.rmtree(self.shots, ignore_errors=True)
        self.shots.mkdir(parents=True, exist_ok=True)
        subprocess.run(['cp', '-a', str(template_prefix()), str(self.prefix)], check=True)
        self.work.mkdir()
        self.logs.mkdir()
        if stack:
            self._lay_out_stack(self.work / 'mnt')
        if drive_elsewhere:
            self._lay_out_stack(self.elsewhere)
            os.symlink(self.elsewhere, self.prefix / 'dosdevices' / 'w:')
        if interpreter:
            shutil.copy(HERE / 'Command', self.work / interpreter)
        shutil.copy(BUILD / 'vantrel.exe', self.work / 'vantrel.exe')
        (self.work / 'my-small.cnf').write_text('[mysqld]\n')
        self.xvfb = None
        self.desktop = None
        self.display = None
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG='-all',
                        VANTREL_STANDIN_LOG=windows_path(self.logs),
                        VANTREL_COMMAND_LOG=str(self.logs / 'command.log'),
                        VANTREL_BROWSER_LOG=str(self.logs / 'browser.log'))
        if display:
            self.display = display
            self.env['DISPLAY'] = display
        else:
            self._start_display()

    def _lay_out_stack(self, mnt):
        standin = BUILD / 'tests' / 'standin' / 'standin.exe'
        for folder, programs in (('usr/local/apache2/bin', ['Apache.exe']),
                                 ('usr/local/mysql/bin', ['mysqld-opt.exe', 'mysqladmin.exe'])):
            (mnt / folder).mkdir(parents=True)
            for program in programs:
                shutil.copy(standin, mnt / folder / program)
        (mnt / 'usr/local/apache2/conf').mkdir(parents=True)
        (mnt / 'usr/local/apache2/conf/httpd.conf').write_text('# stand-in\n')
        (mnt / 'usr/local/php').mkdir(parents=True)
        (mnt / 'usr/local/mysql/bin/my.cnf').write_text('[mysqld]\n')

    def _start_display(self):
        """An X display of the session's own, with the number Xvfb picks."""
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '%dx%dx24' % SCREEN,
                                      '-nolisten', 'tcp'], pass_fds=(write,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b''
        while not number.endswith(b'\n'):
            chunk = os.read(read, 16)
            if not chunk:
                break
            number += chunk
        os.close(read)
        self.display = ':' + number.decode().strip()
        self.env['DISPLAY'] = self.display

    # -- running ---------------------------------------------------------------------------

    def start(self):
        """Starts vantrel.exe from the working folder, in the Wine desktop, as a user would."""
        self.started_at = time.monotonic()
        self.desktop = subprocess.Popen([WINE, 'explorer', DESKTOP, 'vantrel.exe'], cwd=self.work, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def run_in_desktop(self, program, *args):
        """Runs a helper program inside the same Wine desktop, where it can see the controller's windows."""
        return subprocess.run([WINE, 'explorer', DESKTOP, windows_path(program)] + list(args), cwd=self.work,
                              env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60)

    def run_in_desktop_async(self, program, *args):
        return subprocess.Popen([WINE, 'explorer', DESKTOP, windows_path(program)] + list(args), cwd=self.work,
                                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def processes(self):
        """(pid, image name) of every process in the prefix, from a Tool Help snapshot."""
        out = subprocess.run([WINE, str(BUILD / 'tests' / 'standin' / 'pslist.exe')], env=self.env,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60).stdout.decode('latin-1')
        return [(int(p), n) for p, n in (line.split(' ', 1) for line in out.splitlines() if ' ' in line)]

    def running(self, image):
        return sum(1 for _, n in self.processes() if n.lower() == image.lower())

    def controller_running(self):
        return self.running('vantrel.exe') > 0

    def wait_for(self, predicate, timeout=20.0, what='condition'):
        end = time.monotonic() + timeout
        while True:
            value = predicate()
            if value:
                return value
            if time.monotonic() > end:
                raise AssertionError('timed out waiting for ' + what)
            time.sleep(0.2)

    def drive_target(self):
        link = self.prefix / 'dosdevices' / 'w:'
        return os.readlink(link) if os.path.islink(link) else None

    def log(self, name):
        path = self.logs / name
        return path.read_text(errors='replace') if path.exists() else ''

    def starts(self, name):
        """The start records a stand-in wrote: dicts with pid, cmd and cwd."""
        out = []
        for line in self.log(name).splitlines():
            m = re.match(r'start pid=(\d+) cmd=(.*) cwd=(.*)$', line)
            if m:
                out.append({'pid': int(m.group(1)), 'cmd': m.group(2), 'cwd': m.group(3)})
        return out

    def control(self, name, content=''):
        (self.logs / name).write_text(content)

    def uncontrol(self, name):
        (self.logs / name).unlink(missing_ok=True)

    # -- the screen --------------------------------------------------------------------------

    def screenshot(self, name=None):
        path = self.shots / ((name or 'screen') + '.png')
        subprocess.run(['import', '-display', self.display, '-window', 'root', str(path)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def pixels(self, name=None):
        return np.asarray(Image.open(self.screenshot(name)).convert('RGB')).astype(int)

    def tray_icon(self):
        """Centre of the gear in the notification area, found by its orange hub, or None."""
        a = self.pixels('tray')
        h, w, _ = a.shape
        band = a[h - 30:, w - 250:]
        orange = (band[:, :, 0] > 200) & (band[:, :, 1] > 90) & (band[:, :, 1] < 180) & (band[:, :, 2] < 80)
        ys, xs = np.nonzero(orange)
        if len(xs) < 3:
            return None
        return int(xs.mean()) + w - 250, int(ys.mean()) + h - 30

    def wait_for_tray_icon(self, timeout=30.0):
        return self.wait_for(self.tray_icon, timeout, 'the tray icon')

    def xdotool(self, *args):
        subprocess.run(['xdotool'] + [str(a) for a in args], env=self.env, check=True)

    def click(self, x, y, button=1, repeat=1):
        self.xdotool('mousemove', x, y)
        time.sleep(0.15)
        self.xdotool('click', '--repeat', repeat, '--delay', 80, button)

    def screen_lines(self, name='menu', region=None):
        """The text lines on the screen, read by OCR: (text, centre x, centre y)."""
        a = Image.open(self.screenshot(name)).convert('RGB')
        left, top, right, bottom = region or (0, 0, SCREEN[0], SCREEN[1] - 24)
        scale = 4
        crop = a.crop((left, top, right, bottom)).resize(((right - left) * scale, (bottom - top) * scale),
                                                        Image.LANCZOS).convert('L')
        path = self.shots / (name + '-ocr.png')
        crop.save(path)
        tsv = subprocess.run(['tesseract', str(path), '-', '-l', 'fra', 'tsv'], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=True).stdout.decode('utf-8', 'replace')
        lines = {}
        for row in tsv.splitlines()[1:]:
            f = row.split('\t')
            if len(f) < 12 or not f[11].strip() or float(f[10]) < 0:
                continue
            key = (f[2], f[3], f[4])
            x, y, w, h = (int(v) for v in f[6:10])
            lines.setdefault(key, []).append((x, y, w, h, f[11].strip()))
        out = []
        for words in lines.values():
            words.sort()
            # Two menus side by side give one OCR line; a wide gap between words splits it again.
            group = [words[0]]
            for word in words[1:]:
                if word[0] - (group[-1][0] + group[-1][2]) > 20 * scale:
                    out.append(self._line(group, left, top, scale))
                    group = []
                group.append(word)
            out.append(self._line(group, left, top, scale))
        return out

    @staticmethod
    def _line(words, left, top, scale):
        text = ' '.join(w[4] for w in words)
        x0 = min(w[0] for w in words)
        x1 = max(w[0] + w[2] for w in words)
        y0 = min(w[1] for w in words)
        y1 = max(w[1] + w[3] for w in words)
        return text, left + (x0 + x1) // (2 * scale), top + (y0 + y1) // (2 * scale)

    def find_line(self, lines, start):
        for text, x, y in lines:
            if plain(text).startswith(plain(start)):
                return text, x, y
        return None

    def open_menu(self, attempts=4):
        """Right-clicks the icon until the menu shows, as a user would while the program is busy."""
        for attempt in range(attempts):
            icon = self.wait_for_tray_icon()
            self.click(*icon, button=3)
            try:
                return self.wait_for(lambda: self._menu_lines_with('Quitter'), 5, 'the popup menu')
            except AssertionError:
                if attempt == attempts - 1:
                    raise
                self.xdotool('key', 'Escape')

    def _menu_lines_with(self, word):
        lines = self.screen_lines()
        return lines if self.find_line(lines, word) else None

    def open_submenu(self, caption, expect):
        lines = self.open_menu()
        hit = self.find_line(lines, caption)
        assert hit, 'no %r in %r' % (caption, lines)
        self.click(hit[1], hit[2])
        return self.wait_for(lambda: self._menu_lines_with(expect), 10, 'the submenu ' + caption)

    def pick(self, path):
        """Picks a menu item by its path of captions, e.g. ('Etat des serveurs', 'Arrêter Apache')."""
        if len(path) == 1:
            lines = self.open_menu()
        else:
            lines = self.open_submenu(path[0], path[1])
        hit = self.find_line(lines, path[-1])
        assert hit, 'no %r in %r' % (path[-1], lines)
        self.click(hit[1], hit[2])
        time.sleep(0.3)

    def status_lines(self):
        """The four server lines of the "Etat des serveurs" submenu, as read on the screen; the menu is
        closed again afterwards."""
        lines = self.open_submenu('Etat des serveurs', 'Apache')
        texts = [normalise(t) for t, _, _ in lines]
        self.xdotool('key', 'Escape', 'Escape')
        self.click(SCREEN[0] // 2, SCREEN[1] // 3)  # a click elsewhere closes what is left
        time.sleep(0.3)
        return texts

    # -- ending ------------------------------------------------------------------------------

    def close(self):
        subprocess.run([WINESERVER, '-k'], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.desktop:
            try:
                self.desktop.wait(10)
            except subprocess.TimeoutExpired:
                self.desktop.kill()
        if self.xvfb:
            self.xvfb.send_signal(signal.SIGTERM)
            self.xvfb.wait(10)
        shutil.rmtree(self.root, ignore_errors=True)


def normalise(text):
    """OCR text compared with fixed captions: blanks, case and the colon's spacing do not count."""
    return re.sub(r'\s+', '', text).replace('\u2019', "'").lower()


def plain(text):
    """normalise(), and accents dropped: for finding an item to click, not for checking its text."""
    return ''.join(c for c in unicodedata.normalize('NFKD', normalise(text)) if not unicodedata.combining(c))


class SessionTest(unittest.TestCase):
    """A test case with one fresh session per test."""

    session_options = {}

    def session(self, **options):
        s = Session(self.id().split('.')[-1], **{**self.session_options, **options})
        self.addCleanup(s.close)
        return s
