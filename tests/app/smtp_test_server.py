#!/usr/bin/python3
"""A mail server for the tests, on a free loopback port (printed on the first line of stdout).

Modes: plain, starttls (STARTTLS required before AUTH and MAIL), implicit (TLS from the start),
stall (accepts connections and never answers). Every accepted mail N (from 1) is written into the
folder --record as N.envelope (login, sender and recipients, one a line), N.subject and N.body
(decoded) and N.eml (as received).
"""
import argparse
import asyncio
import email
import email.policy
import os
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class Recorder:
    def __init__(self, folder, refuse):
        self.folder = folder
        self.refuse = refuse
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith(self.refuse):
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        login = session.auth_data.login.decode() if isinstance(session.auth_data, LoginPassword) else "-"
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        self.count += 1
        base = os.path.join(self.folder, str(self.count))
        with open(base + ".eml", "wb") as out:
            out.write(envelope.content)
        with open(base + ".subject", "w", encoding="utf-8") as out:
            out.write(str(message["subject"]))
        with open(base + ".body", "w", encoding="utf-8") as out:
            out.write(message.get_content().replace("\r\n", "\n"))
        # Written last: its presence says the mail is complete.
        with open(base + ".tmp", "w", encoding="utf-8") as out:
            out.write("\n".join([login, envelope.mail_from] + envelope.rcpt_tos) + "\n")
        os.rename(base + ".tmp", base + ".envelope")
        return "250 Message accepted for delivery"


def authenticator(user, password):
    def check(server, session, envelope, mechanism, auth_data):
        if isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
                and auth_data.password.decode() == password:
            return AuthResult(success=True, auth_data=auth_data)
        return AuthResult(success=False, handled=False, message="535 5.7.8 Authentication credentials invalid")
    return check


class Stall(asyncio.Protocol):
    def connection_made(self, transport):
        self.transport = transport


async def main():
    p = argparse.ArgumentParser()
    p.add_argument("--mode", default="plain")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--user", default="")
    p.add_argument("--password", default="")
    p.add_argument("--record", required=True)
    p.add_argument("--refuse", default="nobody@")
    a = p.parse_args()
    loop = asyncio.get_running_loop()
    context = None
    if a.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.cert, a.key)
    handler = Recorder(a.record, a.refuse)
    auth = authenticator(a.user, a.password) if a.user else None
    if a.mode == "stall":
        factory = Stall
        server_ssl = None
    elif a.mode == "implicit":
        factory = lambda: SMTP(handler, authenticator=auth, auth_require_tls=False, hostname="localhost")
        server_ssl = context
    elif a.mode == "starttls":
        factory = lambda: SMTP(handler, authenticator=auth, tls_context=context, require_starttls=True,
                               auth_require_tls=True, hostname="localhost")
        server_ssl = None
    else:
        factory = lambda: SMTP(handler, authenticator=auth, auth_require_tls=False, hostname="localhost")
        server_ssl = None
    server = await loop.create_server(factory, "127.0.0.1", 0, ssl=server_ssl)
    print(server.sockets[0].getsockname()[1], flush=True)
    # Ends by itself should the test never stop it.
    await asyncio.sleep(300)


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
