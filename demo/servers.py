#!/usr/bin/env python3
"""Fake game servers for the demo: answer status requests on 127.0.0.1 only.

    demo/servers.py [--minutes N]

Serves four servers on 127.0.0.1 ports 27960 to 27962 and 27964 (a fourth saved line, port 27963, has
nobody behind it and shows "no answer"; 27964 is the demo's recent server, joined before but not saved). Each answers only "getstatus <challenge>" requests from this machine,
echoing the challenge. It ends by itself after --minutes (default 120) or after 50,000 replies, and
when the demo that started it kills it.
"""
import argparse
import random
import select
import socket
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
    info = dict(server["info"], challenge=challenge)
    text = "".join("\\%s\\%s" % (k, v) for k, v in info.items())
    lines = "".join('%d %d "%s"\n' % (score, ping + random.randint(0, 9) if ping else 0, name)
                    for score, ping, name in server["players"])
    return b"\xff\xff\xff\xffstatusResponse\n" + (text + "\n" + lines).encode("latin-1")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--minutes", type=float, default=120)
    args = parser.parse_args()
    sockets = {}
    for port in SERVERS:
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        try:
            s.bind((HOST, port))
        except OSError as e:
            print("demo servers: port %d is taken (%s); that server stays silent" % (port, e), file=sys.stderr)
            s.close()
            continue
        sockets[s] = port
    end = time.monotonic() + args.minutes * 60
    replies = 0
    while sockets and time.monotonic() < end and replies < 50000:
        readable, _, _ = select.select(list(sockets), [], [], 1.0)
        for s in readable:
            data, sender = s.recvfrom(2048)
            if sender[0] != HOST or not data.startswith(REQUEST):
                continue
            challenge = data[len(REQUEST):].decode("latin-1")
            if not challenge or len(challenge) > 64 or any(c in challenge for c in '\\/%;" \n'):
                continue
            s.sendto(reply(SERVERS[sockets[s]], challenge), sender)
            replies += 1


if __name__ == "__main__":
    main()
