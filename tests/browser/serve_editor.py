#!/usr/bin/env python3
"""The option editor's page driven in headless Chromium: a switch changes the picture, a colour
shows up in its pixels, a press on a row opens the page behind it, a bad preferences file is
imported with its warnings beside the controls, and the exported file reads back.

Exits 77 (skipped) when Chromium, its driver or Selenium is missing; ./run test installs them.
"""

import argparse
import os
import plistlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


# Debian's Selenium belongs to Debian's Python, which another Python first on PATH cannot see.
DEBIAN_PYTHON = '/usr/bin/python3'


def find_tools():
    try:
        from selenium import webdriver  # noqa: F401
    except ImportError:
        if os.path.exists(DEBIAN_PYTHON) and os.path.realpath(sys.executable) != os.path.realpath(DEBIAN_PYTHON):
            os.execv(DEBIAN_PYTHON, [DEBIAN_PYTHON] + sys.argv)
        return None, None, 'python3-selenium is missing'
    browser = shutil.which('chromium') or shutil.which('chromium-browser')
    driver = shutil.which('chromedriver')
    if not browser or not driver:
        return None, None, 'chromium or chromium-driver is missing'
    return browser, driver, None


def start_server(sim):
    server = subprocess.Popen([sim, 'serve', '--port', '0'], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    deadline = time.time() + 120
    while time.time() < deadline:
        line = server.stdout.readline()
        if not line:
            break
        found = re.search(r'http://127\.0\.0\.1:(\d+)/', line)
        if found:
            return server, int(found.group(1))
    server.kill()
    raise SystemExit('the server did not print its address')


def open_browser(browser, driver, profile, downloads):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = browser
    for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--window-size=1400,1000', '--user-data-dir=' + profile):
        options.add_argument(flag)
    options.add_experimental_option('prefs', {'download.default_directory': downloads,
                                              'download.prompt_for_download': False})
    chrome = webdriver.Chrome(service=Service(driver), options=options)
    # Headless Chromium keeps downloads only when told where to put them.
    chrome.execute_cdp_cmd('Page.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})
    return chrome


class Editor:
    def __init__(self, chrome, url):
        self.chrome = chrome
        chrome.get(url)
        self.wait_for_render(0)

    def renders(self):
        return int(self.chrome.execute_script('return Number(document.body.dataset.renders || 0)'))

    def wait_for_render(self, after, timeout=300):
        """Waits until a render newer than `after` has been shown; returns its number."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            state = self.chrome.execute_script('return document.body.dataset.state')
            count = self.renders()
            if count > after and state in ('idle', 'error'):
                if state == 'error':
                    raise AssertionError('the page shows an error: ' + self.chrome.find_element('id', 'status').text)
                return count
            time.sleep(0.1)
        raise AssertionError('no picture arrived within %d s' % timeout)

    def picture(self):
        return self.chrome.find_element('id', 'restyled-img').get_attribute('src')

    def control(self, key, selector='input'):
        return self.chrome.find_element('css selector', '.option[data-key="%s"] .control %s' % (key, selector))

    def change(self, action):
        before = self.renders()
        action()
        return self.wait_for_render(before)

    def pixels_near(self, rgb, tolerance=12):
        return self.chrome.execute_script('''
            const [r, g, b, t] = arguments;
            const img = document.getElementById('restyled-img');
            const canvas = document.createElement('canvas');
            canvas.width = img.naturalWidth; canvas.height = img.naturalHeight;
            const context = canvas.getContext('2d');
            context.drawImage(img, 0, 0);
            const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
            let n = 0;
            for (let i = 0; i < data.length; i += 4)
              if (Math.abs(data[i] - r) <= t && Math.abs(data[i + 1] - g) <= t && Math.abs(data[i + 2] - b) <= t) ++n;
            return n;''', rgb[0], rgb[1], rgb[2], tolerance)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def toggle_changes_picture(editor):
    before = editor.picture()
    editor.change(lambda: editor.control('isSmallTitle').click())
    check(editor.picture() != before, 'switching isSmallTitle on left the picture as it was')
    row = editor.chrome.find_element('css selector', '.option[data-key="isSmallTitle"]')
    check('changed' in row.get_attribute('class'), 'the changed option is not marked')


def colour_reaches_pixels(editor):
    colour = (0x12, 0xAB, 0x34)
    check(editor.pixels_near(colour) == 0, 'the colour is in the picture before it was chosen')
    editor.change(lambda: editor.control('isCustomTableViewColor').click())
    field = editor.control('colorBackgroundTableLight', 'input.hex')
    editor.change(lambda: (field.clear(), field.send_keys('12AB34\t')))
    found = editor.pixels_near(colour)
    check(found > 1000, 'the chosen row colour covers only %d pixels of the picture' % found)


def press_opens_row(editor):
    from selenium.webdriver.common.action_chains import ActionChains
    chrome = editor.chrome
    place = chrome.execute_script('''
        const row = restyledMap.rows.find((r) => r.id === 'Bluetooth');
        const img = document.getElementById('restyled-img');
        const perPoint = restyledMap.scale * img.clientWidth / img.naturalWidth;
        return row && { x: (row.x + row.width / 2) * perPoint - img.clientWidth / 2,
                        y: (row.y + row.height / 2) * perPoint - img.clientHeight / 2 };''')
    check(place is not None, 'the root page has no Bluetooth row on screen')
    image = chrome.find_element('id', 'restyled-img')
    editor.change(lambda: ActionChains(chrome).move_to_element_with_offset(image, int(place['x']), int(place['y'])).click().perform())
    trail = chrome.find_element('id', 'trail').text
    check('Bluetooth' in trail, 'pressing the Bluetooth row did not open it: ' + trail)
    editor.change(lambda: chrome.find_element('id', 'back').click())


def import_shows_warnings(editor, folder):
    path = os.path.join(folder, 'bad.plist')
    with open(path, 'wb') as out:
        plistlib.dump({'tableViewCellHeight': 'tall', 'isbannerenabled': True, 'isSmallTitle': True,
                       'titleValue': 'Imported'}, out)
    chooser = editor.chrome.find_element('id', 'import-file')
    editor.chrome.execute_script('arguments[0].hidden = false', chooser)
    editor.change(lambda: chooser.send_keys(path))
    warning = editor.chrome.find_element('css selector', '.option[data-key="tableViewCellHeight"] .warning').text
    check('integer' in warning, 'no warning beside tableViewCellHeight: ' + repr(warning))
    report = editor.chrome.find_element('id', 'import-report').text
    check('did you mean isBannerEnabled' in report, 'the unknown key is not reported: ' + report)
    check(editor.control('titleValue').get_attribute('value') == 'Imported', 'the imported text is not in its field')


def export_reads_back(editor, downloads):
    for button, form in (('export-binary', b'bplist00'), ('export-xml', b'<?xml')):
        for name in os.listdir(downloads):
            os.remove(os.path.join(downloads, name))
        editor.chrome.find_element('id', button).click()
        deadline = time.time() + 30
        path = os.path.join(downloads, 'com.corvane.sorrelpreferences.plist')
        while time.time() < deadline and not os.path.exists(path):
            time.sleep(0.1)
        check(os.path.exists(path), button + ' downloaded nothing: ' + str(os.listdir(downloads)))
        with open(path, 'rb') as f:
            data = f.read()
        check(data.startswith(form), button + ' wrote another form')
        values = plistlib.loads(data)
        check(values.get('titleValue') == 'Imported' and values.get('isSmallTitle') is True,
              button + ' lost the look: ' + repr(values))
        check('tableViewCellHeight' not in values and 'isbannerenabled' not in values,
              button + ' kept what the import refused: ' + repr(values))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--sim', required=True)
    args = parser.parse_args()
    browser, driver, missing = find_tools()
    if missing:
        print('skipped: ' + missing, file=sys.stderr)
        return SKIP
    folder = tempfile.mkdtemp(prefix='tamarind-serve-browser-')
    downloads = os.path.join(folder, 'downloads')
    os.makedirs(downloads)
    server, port = start_server(args.sim)
    chrome = None
    try:
        chrome = open_browser(browser, driver, os.path.join(folder, 'profile'), downloads)
        editor = Editor(chrome, 'http://127.0.0.1:%d/' % port)
        for name, step in (('toggle', lambda: toggle_changes_picture(editor)),
                           ('colour', lambda: colour_reaches_pixels(editor)),
                           ('press a row', lambda: press_opens_row(editor)),
                           ('import', lambda: import_shows_warnings(editor, folder)),
                           ('export', lambda: export_reads_back(editor, downloads))):
            step()
            print('ok: ' + name)
        logs = [entry for entry in chrome.get_log('browser') if entry.get('level') == 'SEVERE']
        check(not logs, 'the console has errors: ' + repr(logs))
        return 0
    finally:
        if chrome:
            chrome.quit()
        server.terminate()
        server.wait(timeout=30)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
