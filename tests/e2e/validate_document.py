"""Checks one document written by nodara-config.

Usage: validate_document.py SCHEMA DOCUMENT

The document is read as strict UTF-8 and parsed with Python's json module
(no byte-order mark, no raw control characters in strings, no NaN or
Infinity, no repeated key in an object), then validated against the JSON
schema (draft 2020-12). Prints each problem on its own line and exits with 1
when there is any, with 0 otherwise.
"""

import json
import sys

from jsonschema import Draft202012Validator


class DocumentError(ValueError):
    """A document that is no strict JSON text."""


def reject_constant(name):
    raise DocumentError(f"non-standard constant {name}")


def object_without_repeated_keys(pairs):
    keys = [key for key, _ in pairs]
    repeated = sorted({key for key in keys if keys.count(key) > 1})
    if repeated:
        raise DocumentError(f"repeated keys {repeated}")
    return dict(pairs)


def parse_document(path):
    with open(path, "rb") as stream:
        text = stream.read().decode("utf-8")
    return json.loads(
        text,
        parse_constant=reject_constant,
        object_pairs_hook=object_without_repeated_keys,
    )


def schema_problems(schema_path, document):
    with open(schema_path, encoding="utf-8") as stream:
        schema = json.load(stream)
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    problems = []
    for error in sorted(validator.iter_errors(document), key=str):
        where = "/".join(str(step) for step in error.absolute_path)
        problems.append(f"schema: /{where}: {error.message}")
    return problems


def main(arguments):
    if len(arguments) != 2:
        print("usage: validate_document.py SCHEMA DOCUMENT")
        return 2
    schema_path, document_path = arguments
    try:
        document = parse_document(document_path)
    except (UnicodeDecodeError, ValueError) as error:
        print(f"json: {error}")
        return 1
    problems = schema_problems(schema_path, document)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
