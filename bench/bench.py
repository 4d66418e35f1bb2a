"""Prints every figure of the controller in one table: sizes, start-up, the drive wait, the status
poll, menu openings and quit. Figures only: nothing here passes or fails.

    python3 bench/bench.py [--quick]
"""
import os
import re
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / 'tests' / 'e2e'))
from harness import BUILD, ROOT, WINE, Session  # noqa: E402

QUICK = '--quick' in sys.argv
rows = []


def row(area, figure, value, target=''):
    rows.append((area, figure, value, target))
    print('%-12s %-58s %-26s %s' % (area, figure, value, target), flush=True)


def times(session):
    """The start records of the stand-ins: role -> list of dicts of integers."""
    out = {}
    for line in session.log('times.log').splitlines():
        role, *fields = line.split()
        out.setdefault(role, []).append({k: int(v) for k, v in (f.split('=') for f in fields)})
    return out


def linux_pid(session, image='vantrel.exe'):
    """The Linux process that runs a Windows program of this session."""
    for entry in Path('/proc').iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmd = (entry / 'cmdline').read_bytes().replace(b'\0', b' ').decode('latin-1')
            env = (entry / 'environ').read_bytes()
        except OSError:
            continue
        # Wine names the process after the Windows path of its program; explorer's own command line
        # names the program too, so only the first word counts.
        first = cmd.split(' ', 1)[0].replace('\\', '/').lower()
        if (first == image.lower() or first.endswith('/' + image.lower())) and ('WINEPREFIX=%s\0' % session.prefix).encode() in env:
            return int(entry.name)
    return None


def cpu_seconds(pid):
    fields = Path('/proc/%d/stat' % pid).read_text().rsplit(')', 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')


def sizes():
    for arch in ('win64', 'win32'):
        exe = ROOT / 'build' / arch / 'vantrel.exe'
        if exe.exists():
            kind = subprocess.run(['file', '-b', str(exe)], stdout=subprocess.PIPE).stdout.decode().split(',')[0]
            row('size', 'vantrel.exe %s (stripped, static; %s)' % (arch, kind), '%.1f KiB' % (exe.stat().st_size / 1024),
                '< 96 KiB' if arch == 'win64' else '')


def start_to_launches():
    own, console, gui = [], [], []
    for _ in range(3 if QUICK else 5):
        s = Session('bench-start', stack=False, drive_elsewhere=True)
        try:
            # Baselines first, in the same desktop: an empty GUI program and an empty console program.
            subprocess.Popen([WINE, 'explorer', '/desktop=shell,1024x768',
                              'Z:' + str(BUILD / 'bench' / 'empty_gui.exe').replace('/', '\\')],
                             env=s.env, cwd=s.work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            s.wait_for(lambda: 'empty_gui' in times(s), 60, 'the empty GUI program')
            subprocess.run([WINE, str(s.elsewhere / 'usr/local/mysql/bin/mysqladmin.exe')], env=s.env, cwd=s.work,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
            s.start()
            s.wait_for(lambda: 'mysql.log' in times(s) and 'apache.log' in times(s), 60, 'both launches')
            t = times(s)
            own.append(max(t['apache.log'][0]['created'], t['mysql.log'][0]['created']) -
                       t['apache.log'][0]['parent_created'])
            console.append(t['mysqladmin.log'][0]['now'] - t['mysqladmin.log'][0]['created'])
            gui.append(t['empty_gui'][0]['now'] - t['empty_gui'][0]['created'])
        finally:
            s.close()
    a, b, c = statistics.median(own), statistics.median(gui), statistics.median(console)
    row('start-up', 'process start to both launch requests, W: already there', '%d ms (runs %s)' % (a, own))
    row('start-up', 'empty Win32 GUI program: start to its window', '%d ms (runs %s)' % (b, gui))
    row('start-up', 'empty Win32 console program: start to its first line', '%d ms (runs %s)' % (c, console))
    row('start-up', 'controller beyond the empty GUI program', '%d ms' % (a - b), '< 50 ms')


def drive_wait():
    s = Session('bench-wait', stack=False)
    try:
        s.start()
        pid = s.wait_for(lambda: linux_pid(s), 30, 'the controller')
        s.wait_for_tray_icon(30)  # the components are loaded: the wait runs from here
        c0, t0 = cpu_seconds(pid), time.monotonic()
        time.sleep(6)
        c1, t1 = cpu_seconds(pid), time.monotonic()
        row('drive wait', 'CPU of a fruitless wait (no "mnt"), share of one core',
            '%.2f %% over %.1f s' % (100 * (c1 - c0) / (t1 - t0), t1 - t0), '< 2 %')
    finally:
        s.close()

    # A drive that appears during the wait: the launch follows within about one pass.
    s = Session('bench-appear', interpreter=None)
    try:
        os.rename(s.work / 'mnt', s.work / 'stack')
        s.start()
        s.wait_for_tray_icon(30)
        time.sleep(2)
        mapped = time.time() * 1000
        os.symlink(s.work / 'stack', s.prefix / 'dosdevices' / 'w:')
        s.wait_for(lambda: 'apache.log' in times(s), 30, 'the launch')
        row('drive wait', 'drive appears -> Apache launch request', '%d ms' % (times(s)['apache.log'][0]['created'] -
                                                                             mapped), '~60 ms')
    finally:
        s.close()


def menu_soak():
    s = Session('bench-soak', stack=False)
    try:
        args = ['300', '1000'] if QUICK else ['1000', '5000']
        out = subprocess.run([WINE, str(BUILD / 'bench' / 'menu_soak.exe')] + args, env=s.env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, timeout=900).stdout.decode()
        for line in out.splitlines():
            row('soak', line.split(' ', 1)[0], line.split(' ', 1)[1] if ' ' in line else '')
    finally:
        s.close()


def ticks():
    s = Session('bench-ticks', stack=False)
    try:
        sizes_ = ['50', '200'] if QUICK else ['50', '200', '500']
        out = subprocess.run([WINE, str(BUILD / 'bench' / 'tick_bench.exe'),
                              'Z:' + str(BUILD / 'tests' / 'standin' / 'standin.exe').replace('/', '\\')] + sizes_,
                             env=s.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=1800).stdout.decode()
        for line in out.splitlines():
            f = dict(kv.split('=') for kv in line.split())
            row('status poll', 'one tick vs one bare walk, %s processes' % f['processes'],
                '%s us vs %s us = %sx' % (f['tick_us'], f['walk_us'], f['ratio']), '< 4.3x')
    finally:
        s.close()


def idle():
    s = Session('bench-idle')
    try:
        s.start()
        s.wait_for(lambda: s.running('mysqld-opt.exe') and s.running('Apache.exe'), 60, 'both servers')
        seconds = 15 if QUICK else 60
        # Beside it, a program that makes the poll's four bare walks every 2.5 s and nothing else.
        floor = subprocess.Popen([WINE, str(BUILD / 'bench' / 'poll_floor.exe'), str(seconds + 10)], env=s.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pid = linux_pid(s)
        floor_pid = s.wait_for(lambda: linux_pid(s, 'poll_floor.exe'), 30, 'the floor program')
        time.sleep(2)
        c0, f0, t0 = cpu_seconds(pid), cpu_seconds(floor_pid), time.monotonic()
        time.sleep(seconds)
        c1, f1, t1 = cpu_seconds(pid), cpu_seconds(floor_pid), time.monotonic()
        row('idle', 'controller CPU while idle, share of one core', '%.3f %% over %d s' % (
            100 * (c1 - c0) / (t1 - t0), t1 - t0), '< 0.1 %')
        row('idle', 'four bare process-list walks every 2.5 s (the floor)', '%.3f %%' % (100 * (f1 - f0) / (t1 - t0)))
        floor.kill()
    finally:
        s.close()


def wait_gone(pid):
    while Path('/proc/%d' % pid).exists():
        time.sleep(0.002)
    return time.time() * 1000


def teardown_baseline():
    """Wine's own time to tear down a GUI program of its desktop, after the program's last line."""
    s = Session('bench-teardown', stack=False)
    try:
        subprocess.Popen([WINE, 'explorer', '/desktop=shell,1024x768',
                          'Z:' + str(BUILD / 'bench' / 'empty_gui.exe').replace('/', '\\')],
                         env=s.env, cwd=s.work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 60
        pid = None
        while not pid and time.monotonic() < deadline:
            pid = linux_pid(s, 'empty_gui.exe')
        ended = wait_gone(pid)
        last = s.wait_for(lambda: times(s).get('empty_gui'), 10, 'its record')[0]['now']
        return ended - last
    finally:
        s.close()


def quit_timing():
    teardown = teardown_baseline()
    row('quit', 'Wine tearing down an empty GUI program after its last line', '%d ms' % teardown)
    for label, setup in (('database needing 1 s to shut down', lambda s: s.control('mysql.delay', '1000')),
                         ('nothing running', lambda s: (s.control('mysql.fail'), s.control('apache.fail')))):
        s = Session('bench-quit')
        try:
            setup(s)
            s.start()
            s.wait_for(lambda: 'mysql.log' in times(s), 60, 'the launches')
            pid = s.wait_for(lambda: linux_pid(s), 30, 'the controller')
            time.sleep(3)
            lines = s.open_menu()
            hit = s.find_line(lines, 'Quitter')
            s.xdotool('mousemove', hit[1], hit[2])
            time.sleep(0.3)
            clicked = time.time() * 1000
            s.xdotool('click', 1)
            ended = wait_gone(pid)
            unmapped = int(re.findall(r'\[/d\] at=(\d+)', s.log('command.log'))[-1])
            m = re.search(r'clean shutdown pid=\d+ at=(\d+)', s.log('mysql.log'))
            if m:
                db = int(m.group(1))
                # The unmap request is the program's last act; what follows is Wine's teardown.
                row('quit', 'database exit -> unmap request, the last act (%s)' % label, '%d ms' % (unmapped - db),
                    '< 150 ms')
                row('quit', 'database exit -> process gone, Wine teardown included', '%d ms' % (ended - db))
            else:
                row('quit', 'click -> unmap request, the last act (%s)' % label, '%d ms' % (unmapped - clicked),
                    '< 100 ms')
                row('quit', 'click -> process gone, Wine teardown included (%s)' % label, '%d ms' % (ended - clicked))
        finally:
            s.close()


def main():
    print('%-12s %-58s %-26s %s' % ('area', 'figure', 'value', 'target'))
    for part in (sizes, start_to_launches, drive_wait, quit_timing, idle, menu_soak, ticks):
        try:
            part()
        except Exception as e:  # a figure that could not be taken is reported, not hidden
            row(part.__name__, 'could not be measured', repr(e)[:80])
    out = BUILD / 'bench-figures.txt'
    out.write_text('\n'.join('| %s | %s | %s | %s |' % r for r in rows) + '\n')
    print('\nfigures also written to %s' % out)


if __name__ == '__main__':
    main()
