#!/usr/bin/env python3
"""Fake game servers for the demo: answer status requests on 127.0.0.1 only.

    demo/servers.py [--minutes N] [--world N] [--master-port P] [--base-port P]
                    [--rtt LOW-HIGH] [--silent N] [--only-world] [--log FILE]

Serves four servers on 127.0.0.1 ports 27960 to 27962 and 27964 (a fourth saved line, port 27963, has
nobody behind it and shows "no answer"; 27964 is the demo's recent server, joined before but not saved). Each answers only "getstatus <challenge>" requests from this machine,
echoing the challenge. It ends by itself after --minutes (default 120) or after 50,000 replies, and
when the demo that started it kills it.

With --world N (default 200) it is also a world: a master server on 127.0.0.1:--master-port (27950)
that lists N more servers on --base-port (27970) and up, plus the four above, in datagrams of 100
entries with the end mark on the last. Each world server answers after its own round trip, spread
evenly over --rtt (milliseconds, default 20-180); --silent of them, spread over the list, never
answer. --only-world leaves out the four demo servers (the benchmark's world). --log FILE gets one
line "master <time.time()>" each time the master sends its first datagram of a list.
"""
import argparse
import heapq
import random
import selectors
import socket
import struct
import sys
import time

HOST = "127.0.0.1"
REQUEST = b"\xff\xff\xff\xffgetstatus "

SERVERS = {
    27960: {
        "info": {"sv_hostname": "^7Vexal ^4Demo ^7Server", "mapname": "oasis", "sv_maxclients": "20",
                 "sv_privateClients": "0", "g_needpass": "0", "gamename": "etmain", "g_gametype": "2",
                 "version": "ET 2.60b win-x86 May  8 2006"},
        "players": [(42, 35, "^1Sarge^7Steel"), (31, 48, "Medic^3Molly"), (17, 61, "^2Eng^7ineer Ed"),
                    (9, 52, "Covert^0Ops"), (4, 120, "newbie"), (0, 999, "^5Connecting^7...")],
    },
    27961: {
        "info": {"sv_hostname": "^1Red ^7Alert ^3Clan War", "mapname": "goldrush", "sv_maxclients": "16",
                 "sv_privateClients": "2", "g_needpass": "1", "gamename": "etpro", "g_gametype": "3",
                 "omnibot_playing": "2", "version": "ET 2.60b linux-i386 May  8 2006"},
        "players": [(55, 22, "[RA]^1Blaze"), (48, 25, "[RA]^1Frost"), (12, 0, "[BOT]Anton"), (8, 0, "[BOT]Berta")],
    },
    27962: {
        "info": {"sv_hostname": "^3Full ^7House", "mapname": "tundra", "sv_maxclients": "4",
                 "g_needpass": "0", "gamename": "etmain", "g_gametype": "4",
                 "version": "ET 2.60b linux-i386 May  8 2006"},
        "players": [(20, 40, "Alpha"), (18, 44, "Bravo"), (11, 39, "Charlie"), (7, 80, "Delta")],
    },
    27964: {
        "info": {"sv_hostname": "^6Late ^7Night ^2Rifles", "mapname": "radar", "sv_maxclients": "12",
                 "g_needpass": "0", "gamename": "etmain", "g_gametype": "4",
                 "version": "ET 2.60b linux-i386 May  8 2006"},
        "players": [(33, 58, "^8Owl^7Eyes"), (21, 63, "^bNight^7Jar"), (5, 71, "^^9Sleepy")],
    },
}


def reply(server, challenge):
    info = dict(server["info"], challenge=challenge) if challenge else dict(server["info"])
    text = "".join("\\%s\\%s" % (k, v) for k, v in info.items())
    lines = "".join('%d %d "%s"\n' % (score, ping + random.randint(0, 9) if ping else 0, name)
                    for score, ping, name in server["players"])
    return b"\xff\xff\xff\xffstatusResponse\n" + (text + "\n" + lines).encode("latin-1")


MASTER_REQUEST = b"\xff\xff\xff\xffgetservers "
# Other browsers ask with the short query (no player list).
INFO_REQUEST = b"\xff\xff\xff\xffgetinfo"


def info_reply(server, challenge):
    i = server["info"]
    fields = {"hostname": i["sv_hostname"], "mapname": i["mapname"], "clients": str(len(server["players"])),
              "sv_maxclients": i["sv_maxclients"], "gametype": i.get("g_gametype", "2"),
              "needpass": i.get("g_needpass", "0"), "game": i["gamename"], "protocol": "84"}
    if challenge:
        fields["challenge"] = challenge
    text = "".join("\\%s\\%s" % kv for kv in fields.items())
    return b"\xff\xff\xff\xffinfoResponse\n" + text.encode("latin-1")
NAMES = ["Frag", "Objective", "Rifle", "Panzer", "Medic", "Axis", "Allied", "Oldschool", "Sniper", "Fun",
         "Clan", "Public", "Trickjump", "Night", "Euro", "Stopwatch", "Campaign", "Bunker", "Dynamite", "Flak"]
COLOURS = ["^1", "^2", "^3", "^4", "^5", "^6", "^7", "^8", "^9", "^0"]
MAPS = ["oasis", "goldrush", "radar", "fueldump", "battery", "railgun", "supplydepot2", "et_ice", "adlernest",
        "braundorf_b4", "sw_goldrush_te", "tc_base"]
MODS = ["etmain", "etpro", "legacy", "etpro", "jaymod", "nq", "silent", "legacy", "etmain"]
PLAYERS = ["Ace", "Blitz", "Corporal", "Dusty", "Echo", "Falcon", "Ghost", "Hawk", "Ivan", "Jester", "Kilo",
           "Lima", "Moose", "Nova", "Otto", "Pike", "Quinn", "Rook", "Scout", "Tank", "Viper", "Wolf", "Yankee"]


def world_server(i, rng):
    """A made-up server, the same for the same index every time."""
    slots = rng.choice([12, 16, 20, 24, 32, 40, 64])
    humans = rng.choice([0, 0, 0, 1, 2, 4, 6, 9, 12, 15, 18, slots])
    humans = min(humans, slots)
    bots = rng.choice([0, 0, 0, 2, 4]) if humans < slots - 4 else 0
    mod = rng.choice(MODS)
    info = {"sv_hostname": "%s%s ^7%s #%d" % (rng.choice(COLOURS), rng.choice(NAMES), rng.choice(NAMES), i + 1),
            "mapname": rng.choice(MAPS), "sv_maxclients": str(slots), "sv_privateClients": "0",
            "g_needpass": "1" if rng.random() < 0.08 else "0", "gamename": mod,
            "g_gametype": str(rng.choice([2, 2, 3, 4, 4, 4, 5, 6])),
            "version": "ET 2.60b linux-i386 May  8 2006" if mod != "legacy" else "ET Legacy v2.82.1 linux-x86_64"}
    if mod != "etmain":
        info["fs_game"] = mod
    if i % 97 == 13:
        info["sv_maxclients"] = "999"  # a server that makes its numbers up
    players = [(rng.randint(0, 80), rng.randint(15, 160), rng.choice(COLOURS) + rng.choice(PLAYERS) + str(n))
               for n in range(humans)]
    players += [(rng.randint(0, 40), 0, "[BOT]" + rng.choice(PLAYERS)) for _ in range(bots)]
    return {"info": info, "players": players}


def master_datagrams(entries):
    out = []
    for start in range(0, max(len(entries), 1), 100):
        chunk = entries[start:start + 100]
        d = b"\xff\xff\xff\xffgetserversResponse"
        for port in chunk:
            d += b"\\" + socket.inet_aton(HOST) + struct.pack(">H", port)
        if start + 100 >= len(entries):
            d += b"\\EOT\0\0\0"
        out.append(d)
    return out


def bind(port):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    try:
        s.bind((HOST, port))
    except OSError as e:
        print("demo servers: port %d is taken (%s); that server stays silent" % (port, e), file=sys.stderr)
        s.close()
        return None
    s.setblocking(False)
    return s


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--minutes", type=float, default=120)
    parser.add_argument("--world", type=int, default=200)
    parser.add_argument("--master-port", type=int, default=27950)
    parser.add_argument("--base-port", type=int, default=27970)
    parser.add_argument("--rtt", default="20-180")
    parser.add_argument("--silent", type=int, default=0)
    parser.add_argument("--only-world", action="store_true")
    parser.add_argument("--log")
    args = parser.parse_args()
    low, high = (int(x) for x in args.rtt.split("-"))
    servers = {} if args.only_world else {port: dict(s, rtt=0) for port, s in SERVERS.items()}
    rng = random.Random(2026)
    n = max(0, min(args.world, 4096))
    silent = set()
    if args.silent:
        step = n / args.silent
        silent = {int(step * k + step - 1) for k in range(args.silent)}
    for i in range(n):
        server = world_server(i, rng)
        server["rtt"] = low + (high - low) * ((i * 37) % n) / max(n - 1, 1)
        server["silent"] = i in silent
        servers[args.base_port + i] = server
    selector = selectors.DefaultSelector()
    for port in servers:
        s = bind(port)
        if s:
            selector.register(s, selectors.EVENT_READ, port)
    master = bind(args.master_port) if n else None
    if master:
        selector.register(master, selectors.EVENT_READ, None)
    listed = sorted(servers)
    log = open(args.log, "a", buffering=1) if args.log else None
    if log:
        log.write("ready %d\n" % len(selector.get_map()))
    end = time.monotonic() + args.minutes * 60
    replies = 0
    due = []  # (when, sequence, socket, datagram, to)
    sequence = 0
    while selector.get_map() and time.monotonic() < end and replies < 50000:
        now = time.monotonic()
        while due and due[0][0] <= now:
            _, _, s, d, to = heapq.heappop(due)
            try:
                s.sendto(d, to)
            except OSError:
                pass
        wait = min(1.0, max(0.0, due[0][0] - now)) if due else 1.0
        for key, _ in selector.select(wait):
            s, port = key.fileobj, key.data
            try:
                data, sender = s.recvfrom(2048)
            except OSError:
                continue
            if sender[0] != HOST:
                continue
            if port is None:
                if data.startswith(MASTER_REQUEST):
                    if log:
                        log.write("master %.6f\n" % time.time())
                    for d in master_datagrams(listed):
                        s.sendto(d, sender)
                continue
            info_request = data.startswith(INFO_REQUEST)
            if not info_request and not data.startswith(REQUEST[:-1]):
                continue
            challenge = data[len(INFO_REQUEST if info_request else REQUEST):].decode("latin-1").strip()
            if len(challenge) > 64 or any(c in challenge for c in '\\/%;" \n'):
                continue
            server = servers[port]
            if server.get("silent"):
                continue
            sequence += 1
            answer = info_reply(server, challenge) if info_request else reply(server, challenge)
            heapq.heappush(due, (time.monotonic() + server["rtt"] / 1000.0, sequence, s, answer, sender))
            replies += 1


if __name__ == "__main__":
    main()
