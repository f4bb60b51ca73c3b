#!/usr/bin/python3
"""The served page in Debian's headless Chromium: choose settings, see the preview follow
them, download the PDF and read it back, see a refusal shown in the page; screenshots at a
phone's and a desktop's width into /tmp/shots.

Usage: serve-browser.py DIVISHEET"""

import os
import re
import socket
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

program = sys.argv[1]
shots = '/tmp/shots'
os.makedirs(shots, exist_ok=True)
downloads = tempfile.mkdtemp()

with socket.socket() as probe:  # a port that is free now
    probe.bind(('127.0.0.1', 0))
    port = probe.getsockname()[1]
server = subprocess.Popen([program, 'serve', '--listen', f'127.0.0.1:{port}', '--workers', '2'],
                          stderr=subprocess.PIPE, text=True)
assert 'serving' in server.stderr.readline()

options = webdriver.ChromeOptions()
for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'):
    options.add_argument(argument)
options.binary_location = '/usr/bin/chromium'
options.add_experimental_option('prefs', {'download.default_directory': downloads})
browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
wait = WebDriverWait(browser, 30)


def preview_source():
    """The preview's address once its picture has loaded."""
    wait.until(lambda b: b.execute_script(
        "const i = document.getElementById('preview');"
        "return i.complete && i.naturalWidth > 0 && !i.classList.contains('loading')"))
    return browser.find_element(By.ID, 'preview').get_attribute('src')


try:
    browser.set_window_size(1280, 900)
    browser.get(f'http://127.0.0.1:{port}/')
    first = preview_source()
    assert 'divisor=fixed%3A2' in first, first

    # Only existing combinations: 1000..9999 takes quotients 1..9 alone.
    Select(browser.find_element(By.ID, 'divisor')).select_by_value('1000..9999')
    quotients = [o.get_attribute('value') for o in Select(browser.find_element(By.ID, 'quotient')).options]
    assert quotients == ['1..9'], quotients
    Select(browser.find_element(By.ID, 'divisor')).select_by_value('11..99')
    Select(browser.find_element(By.ID, 'quotient')).select_by_value('10..90')
    browser.find_element(By.CSS_SELECTOR, 'input[name=remainder][value="1"]').click()
    browser.find_element(By.ID, 'numbered').click()
    wait.until(lambda b: 'numbered=1' in preview_source())
    second = preview_source()
    assert 'divisor=11..99' in second and 'quotient=10..90' in second and 'remainder=1' in second, second
    browser.save_screenshot(f'{shots}/serve-desktop.png')

    # The download is the PDF of these settings: read back, its header says them.
    browser.find_element(By.ID, 'download').click()
    wait.until(lambda b: any(f.endswith('.pdf') for f in os.listdir(downloads)))
    pdf = os.path.join(downloads, next(f for f in os.listdir(downloads) if f.endswith('.pdf')))
    time.sleep(0.5)
    text = subprocess.run(['pdftotext', '-enc', 'UTF-8', pdf, '-'], capture_output=True, text=True).stdout
    assert '割る数:11..99' in text and '答:10..90' in text, text[:300]
    code = re.search(r'#([0-9A-Z-]+)', text).group(1)
    assert os.path.basename(pdf) == f'わり算-{code}.pdf', pdf

    # A refusal of the server is shown in the page, for screen readers too.
    title = browser.find_element(By.ID, 'title')
    browser.execute_script("arguments[0].removeAttribute('maxlength')", title)
    title.send_keys('あ' * 41)
    wait.until(lambda b: 'title' in b.find_element(By.ID, 'message').text)
    assert browser.find_element(By.ID, 'message').get_attribute('aria-live') == 'polite'
    title.clear()

    browser.set_window_size(390, 844)
    browser.execute_script('window.scrollTo(0, 0)')
    time.sleep(0.5)
    browser.save_screenshot(f'{shots}/serve-phone.png')
    width = browser.execute_script('return document.documentElement.scrollWidth')
    assert width <= 390, f'the page is {width} px wide on a phone'
    browser.execute_script("document.getElementById('preview-area').scrollIntoView()")
    time.sleep(0.3)
    browser.save_screenshot(f'{shots}/serve-phone-preview.png')
    print('ok: preview follows the settings, PDF', os.path.basename(pdf), 'read back, refusal shown')
finally:
    browser.quit()
    server.terminate()
    server.wait(30)
