"""The README's Python example runs as shown and prints what it shows."""

import contextlib
import io
import os
import pathlib
import re


def test_the_readme_example_prints_what_the_readme_shows(tmp_path, monkeypatch):
    readme = (pathlib.Path(os.environ["MODELCHECK_EXAMPLES"]).parent / "README.md").read_text()
    code, shown = re.search(r"<!-- readme-example -->\n```python\n(.*?)```\n\n```\n(.*?)```", readme, re.S).groups()
    monkeypatch.chdir(tmp_path)
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(code, "README.md", "exec"), {})
    assert printed.getvalue() == shown
