// A stand-in for the external browser, written by a test into its folder: a small script
// that answers --version and speaks the control protocol on descriptors 3 and 4 (messages
// ended by NUL), or misbehaves as told. It notes its arguments and process id beside itself.
#pragma once

#include <sys/stat.h>

#include <string>

#include "support/file_text.h"

namespace tw::test {

enum class FakeBrowserMode {
  kAnswers,       // a browser of the family that answers and ends when asked to close
  kNotABrowser,   // --version names another program
  kVersionHangs,  // --version never ends
  kHangs,         // starts, then says nothing on the pipe
  kExits,         // ends at once without a word
  kGarbage,       // writes what is not the protocol, then says nothing
};

// Writes the script as `dir`/`name`, runnable; returns its path.
inline std::string WriteFakeBrowser(const std::string& dir, const std::string& name, FakeBrowserMode mode,
                                    int major = 130) {
  static constexpr const char* kModes[] = {"answers", "not-a-browser", "version-hangs", "hangs", "exits", "garbage"};
  const std::string path = dir + "/" + name;
  Spit(path, std::string("#!/usr/bin/python3\n"
                         "import json, os, sys, time\n"
                         "MODE = '") +
                 kModes[static_cast<int>(mode)] + "'\n" + "MAJOR = '" + std::to_string(major) + "'\n" +
                 "here = os.path.dirname(os.path.abspath(__file__))\n"
                 "if '--version' in sys.argv:\n"
                 "    if MODE == 'version-hangs':\n"
                 "        time.sleep(60)\n"
                 "    print('Mozilla Firefox 115.5.0esr' if MODE == 'not-a-browser' else\n"
                 "          'Chromium ' + MAJOR + '.0.6099.1 built on a test')\n"
                 "    sys.exit(0)\n"
                 "with open(os.path.join(here, 'started.txt'), 'w') as f:\n"
                 "    f.write(str(os.getpid()) + '\\n' + '\\n'.join(sys.argv[1:]))\n"
                 "if MODE == 'exits':\n"
                 "    sys.exit(3)\n"
                 "if MODE == 'garbage':\n"
                 "    os.write(4, b'not json\\0{\"id\": \"x\"}\\0')\n"
                 "if MODE != 'answers':\n"
                 "    time.sleep(60)\n"
                 "    sys.exit(0)\n"
                 "pending = b''\n"
                 "while True:\n"
                 "    chunk = os.read(3, 65536)\n"
                 "    if not chunk:\n"
                 "        break\n"
                 "    pending += chunk\n"
                 "    while b'\\0' in pending:\n"
                 "        message, pending = pending.split(b'\\0', 1)\n"
                 "        call = json.loads(message)\n"
                 "        result = {}\n"
                 "        if call['method'] == 'Browser.getVersion':\n"
                 "            result = {'product': 'Chrome/' + MAJOR + '.0.6099.1', 'protocolVersion': '1.3'}\n"
                 "        os.write(4, json.dumps({'id': call['id'], 'result': result}).encode() + b'\\0')\n"
                 "        if call['method'] == 'Browser.close':\n"
                 "            sys.exit(0)\n");
  ::chmod(path.c_str(), 0755);
  return path;
}

}  // namespace tw::test
