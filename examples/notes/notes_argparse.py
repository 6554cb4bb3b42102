#!/usr/bin/env python3
# notes written with Python's argparse: the same tool as main.cpp (Python
# 3.11 or later, for tomllib). The lines between the markers are its
# argument handling, which tests/ExampleLineCount.cmake counts against
# main.cpp's; below them, its work does what Notes.cpp does. argparse writes
# its own usage and error lines, completes nothing and has no man page.
import argparse
import datetime
import json
import re
import sys
import tomllib


def main():
    # argument handling: begin
    def tag(text):
        if not re.fullmatch(r"[A-Za-z0-9-]+", text):
            raise argparse.ArgumentTypeError("expected letters, digits and '-'")
        return text

    def date(text):
        if not re.fullmatch(r"[0-9]{4}-[0-9]{2}-[0-9]{2}", text):
            raise argparse.ArgumentTypeError("expected a date as YYYY-MM-DD")
        return text

    def positive(text):
        if not re.fullmatch(r"[0-9]+", text) or int(text) < 1:
            raise argparse.ArgumentTypeError("expected a number of at least 1")
        return int(text)

    parser = argparse.ArgumentParser(prog="notes", description="Keep short notes in a file.")
    parser.add_argument("-V", "--version", action="version", version="notes 1.0")
    parser.add_argument("-s", "--store", default="notes.tsv", help="the file that keeps the notes")
    parser.add_argument("--format", choices=["text", "json"], default="text",
                        help="how to print the notes listed")
    parser.add_argument("-q", "--quiet", action="store_true",
                        help="print nothing but the notes listed")
    commands = parser.add_subparsers(dest="command", metavar="COMMAND", required=True)
    add = commands.add_parser("add", help="add a note")
    add.add_argument("-t", "--tag", type=tag, action="append", default=[],
                     help="tag the note with TAG (may be repeated)")
    add.add_argument("text", metavar="TEXT", nargs="+", help="the words of the note")
    listing = commands.add_parser("list", help="list the notes, oldest first")
    listing.add_argument("--tag", type=tag, help="only the notes tagged TAG")
    listing.add_argument("--limit", type=positive, metavar="N", help="at most N notes")
    listing.add_argument("--since", type=date, metavar="DATE",
                         help="only the notes added on DATE or later")
    done = commands.add_parser("done", help="mark notes as done")
    done.add_argument("ids", type=positive, metavar="ID", nargs="+", help="a note's number")
    rm = commands.add_parser("rm", help="remove notes")
    rm.add_argument("-f", "--force", action="store_true",
                    help="remove notes that are not done, too")
    rm.add_argument("ids", type=positive, metavar="ID", nargs="+", help="a note's number")
    try:
        with open("notes.toml", "rb") as file:
            config = tomllib.load(file)
    except FileNotFoundError:
        config = {}
    parser.set_defaults(**{key: value for key, value in config.items() if not isinstance(value, dict)})
    for name, command in commands.choices.items():
        command.set_defaults(**config.get(name, {}))
    args = parser.parse_args()
    # argument handling: end
    return run(args, commands.choices[args.command])


def load(path):
    notes = []
    try:
        with open(path, encoding="utf-8") as file:
            for line in file:
                fields = line.rstrip("\n").split("\t")
                if len(fields) >= 4:
                    notes.append({"id": int(fields[0]), "done": fields[1] == "1", "date": fields[2],
                                  "tags": fields[3].split(",") if fields[3] else [],
                                  "text": fields[4] if len(fields) > 4 else ""})
    except FileNotFoundError:
        pass
    return notes


def save(path, notes):
    with open(path, "w", encoding="utf-8") as file:
        for note in notes:
            file.write(f"{note['id']}\t{int(note['done'])}\t{note['date']}\t"
                       f"{','.join(note['tags'])}\t{note['text']}\n")


def show(note, as_json):
    if as_json:
        print(json.dumps(note, ensure_ascii=False))
    else:
        print(f"{note['id']} [{'x' if note['done'] else ' '}] {note['text']}"
              + "".join(f" #{tag}" for tag in note["tags"]))


def run(args, command):
    try:
        notes = load(args.store)
    except OSError as error:
        print(f"notes: cannot read '{args.store}': {error.strerror}", file=sys.stderr)
        return 1
    if args.command == "list":
        listed = [note for note in notes if (args.tag is None or args.tag in note["tags"])
                  and note["date"] >= (args.since or "")]
        for note in listed[:args.limit]:
            show(note, args.format == "json")
        return 0
    if args.command == "add":
        text = re.sub(r"[\t\r\n]", " ", " ".join(args.text))
        note = {"id": notes[-1]["id"] + 1 if notes else 1, "done": False,
                "date": datetime.date.today().isoformat(), "tags": args.tag, "text": text}
        save(args.store, notes + [note])
        if not args.quiet:
            print(f"note {note['id']} added")
        return 0
    known = {note["id"]: note for note in notes}
    for number in args.ids:
        if number not in known:
            command.error(f"no note {number}")
        if args.command == "rm" and not known[number]["done"] and not args.force:
            command.error(f"note {number} is not done; --force removes it all the same")
    for number in args.ids:
        if args.command == "rm":
            notes = [note for note in notes if note["id"] != number]
        else:
            known[number]["done"] = True
    save(args.store, notes)
    for number in args.ids:
        if not args.quiet:
            print(f"note {number} {'removed' if args.command == 'rm' else 'done'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
