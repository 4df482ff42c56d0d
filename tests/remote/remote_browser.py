#!/usr/bin/python3
"""The remote page in a real browser: the desk started with --remote (offscreen, SDL's disk driver as its
output) on a program folder of its own, Debian's chromium headless through chromedriver. The page logs in with
the PIN, taps a button, and the desk plays that title (its output file carries the tone) while the page shows it
playing; Stop from the page ends it; five wrong PINs lock the address out. Usage: remote_browser.py [SCREENSHOT]"""
import array, os, re, select, socket, subprocess, sys, tempfile, time
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

desk_bin = os.environ.get("KLANGWART_EXECUTABLE", "build/bin/klangwart")
work = tempfile.mkdtemp(prefix="klangwart-remote-")
folder = os.path.join(work, "pult")
for c in ["7 Meter", "Torwart", "Team Timeout", "Auszeit", "Tormusik", "Einlaufen", "Wischen", "2 Minuten"]:
    os.makedirs(os.path.join(folder, "Damen", c))
with open(os.path.join(folder, "Klangwart.ini"), "wb") as f:
    f.write(b"[Mannschaft]\r\nMannschaft=Damen\r\nVerein=Test\r\n")
subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=1000:sample_rate=48000:duration=30",
                "-ac", "2", os.path.join(folder, "Damen", "Tormusik", "07Ton.wav")], check=True)

with socket.socket() as s:  # a free port
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
out = os.path.join(work, "out.raw")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=out, HOME=work,
           XDG_RUNTIME_DIR=work)
desk = subprocess.Popen([desk_bin, "--remote=%d" % port, folder], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                        env=env, text=True)
browser = None


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


try:
    line = ""
    deadline = time.time() + 30
    while "Fernbedienung:" not in line and time.time() < deadline:
        if select.select([desk.stdout], [], [], 1)[0]:
            line = desk.stdout.readline()
    m = re.search(r"Fernbedienung: http://[^ ]+ PIN (\d{4})", line)
    if not m:
        fail("the desk told no address and PIN: %r" % line)
    pin = m.group(1)
    options = webdriver.ChromeOptions()
    for a in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--window-size=800,1000", "--user-data-dir=" + work + "/chrome"]:
        options.add_argument(a)
    options.binary_location = "/usr/bin/chromium"
    browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    wait = WebDriverWait(browser, 10)
    browser.get("http://127.0.0.1:%d/" % port)
    browser.find_element(By.ID, "pin").send_keys(pin)
    browser.find_element(By.ID, "anmelden").click()
    wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, ".knopf"))
    before = os.path.getsize(out)
    browser.find_element(By.CSS_SELECTOR, ".knopf").click()
    wait.until(lambda b: "** PLAY **" in b.find_element(By.ID, "titel").text)
    time.sleep(0.5)
    samples = array.array("f")
    with open(out, "rb") as f:
        f.seek(before)
        data = f.read()
    samples.frombytes(data[: len(data) // 4 * 4])
    if max((abs(x) for x in samples), default=0) < 0.05:
        fail("the desk's output carries no tone after the tap (%d bytes, peak %.3f)" % (len(data), max((abs(x) for x in samples), default=0)))
    if "gespielt" not in browser.find_element(By.CSS_SELECTOR, ".knopf").get_attribute("class"):
        fail("the page does not mark the button as played")
    if len(sys.argv) > 1:
        browser.save_screenshot(sys.argv[1])
    browser.find_element(By.ID, "stop").click()
    wait.until(lambda b: "PLAY" not in b.find_element(By.ID, "titel").text)
    # Five wrong PINs: the address is locked out, the right PIN included.
    browser.execute_script("sessionStorage.clear()")
    browser.get("http://127.0.0.1:%d/" % port)
    for _ in range(5):
        browser.find_element(By.ID, "pin").clear()
        browser.find_element(By.ID, "pin").send_keys("%04d" % ((int(pin) + 1) % 10000))
        browser.find_element(By.ID, "anmelden").click()
        wait.until(lambda b: b.find_element(By.ID, "fehler").text == "Falsche PIN.")
        browser.execute_script("document.getElementById('fehler').textContent = ''")
    browser.find_element(By.ID, "pin").clear()
    browser.find_element(By.ID, "pin").send_keys(pin)
    browser.find_element(By.ID, "anmelden").click()
    wait.until(lambda b: "gesperrt" in b.find_element(By.ID, "fehler").text)
    print("PASS: login, tap, the title sounds and shows as playing, stop, lock-out")
finally:
    if browser:
        browser.quit()
    desk.terminate()
    desk.wait(10)
    subprocess.run(["rm", "-rf", work])
