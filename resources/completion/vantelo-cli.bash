# bash completion for vantelo-cli                          -*- shell-script -*-
#
# Completes the commands, their actions and options, the commands after
# "help", the kinds of "stats", and profile names: after --profile and
# "profiles show" those of the data folder's sv.xml, after "profiles show SVXML"
# those of SVXML. File and folder arguments complete as paths.

# The options of each command, by "command" or "command action".
declare -gA _vantelo_cli_options=(
    [data-folder]="--data-dir --json --help"
    [db list]="--json --plain --scrambled --help"
    [db scramble]="--help"
    [db unscramble]="--help"
    [db merge]="--json --help"
    [update]="--data-dir --help"
    [import-directories]="--data-dir --json --category --skip-pr --help"
    [learn]="--data-dir --json --add --name --category --profile --no-render --help"
    [lists add]="--data-dir --help"
    [lists remove]="--data-dir --help"
    [lists show]="--data-dir --json --help"
    [lists update]="--data-dir --json --help"
    [profiles list]="--data-dir --json --help"
    [profiles show]="--data-dir --json --show-passwords --help"
    [profiles import-dat]="--data-dir --json --replace --dirdata --help"
    [history export]="--data-dir --profile --help"
    [directories list]="--data-dir --json --profile --state --sort --help"
    [directories next]="--data-dir --json --profile --sort --help"
    [directories mark]="--data-dir --json --profile --help"
    [pagerank]="--data-dir --json --help"
    [stats]="--data-dir --json --help"
    [tranco update]="--data-dir --json --help"
    [snapshot]="--data-dir --profile --general --serp --approval --entire --resume --help"
    [reciprocal test]="--help"
    [listings verify]="--data-dir --json --profile --directory --help"
    [fill-preview]="--data-dir --json --verbose --profile --directory --category-runs --late-fields --browser-profile --submit --follow-redirects --show-passwords --help"
    [accounts list]="--data-dir --json --profile --show-passwords --help"
    [accounts show]="--data-dir --json --profile --directory --show-passwords --help"
    [accounts set]="--data-dir --json --profile --directory --user --profile-password --help"
    [accounts remove]="--data-dir --json --profile --directory --help"
)
_vantelo_cli_commands="data-folder db update import-directories learn lists profiles history directories pagerank stats tranco snapshot reciprocal listings fill-preview accounts"
declare -gA _vantelo_cli_actions=(
    [db]="list scramble unscramble merge"
    [lists]="add remove show update"
    [profiles]="list show import-dat"
    [history]="export"
    [directories]="list next mark"
    [reciprocal]="test"
    [listings]="verify"
    [tranco]="update"
    [accounts]="list show set remove"
)
_vantelo_cli_states="new sent approved failed needs-account paid-only no-form broken skipped lost"
_vantelo_cli_stats_kinds="pagerank homepagerank alexa googlelinks yahoolinks googleindex yahooindex googleposition yahooposition"

# A typed word as the program will get it: without its quotes and backslashes,
# with a leading ~ expanded. Nothing is evaluated.
_vantelo_cli_dequote()
{
    local word=$1
    word=${word#[\"\']}
    word=${word%[\"\']}
    word=${word//\\/}
    [[ $word == "~" || $word == "~/"* ]] && word=$HOME${word:1}
    printf '%s\n' "$word"
}

# The data folder as the program finds it, without making it: --data-dir on the
# line, VANTELO_DATA_DIR, the program's own folder when that is writable and not
# an installed one, else the per-user folder.
_vantelo_cli_data_folder()
{
    local program=$1 i
    for ((i = 1; i < ${#COMP_WORDS[@]} - 1; i++)); do
        if [[ ${COMP_WORDS[i]} == --data-dir ]]; then
            _vantelo_cli_dequote "${COMP_WORDS[i + 1]}"
            return
        fi
    done
    if [[ -n ${VANTELO_DATA_DIR-} ]]; then
        printf '%s\n' "$VANTELO_DATA_DIR"
        return
    fi
    local path folder
    path=$(type -P -- "$program") && folder=$(dirname -- "$(readlink -f -- "$path")")
    if [[ -n ${folder-} && -w $folder && ! -d $folder/../share/vantelo ]]; then
        printf '%s\n' "$folder"
    elif [[ ${XDG_DATA_HOME-} == /* ]]; then
        printf '%s\n' "$XDG_DATA_HOME/vantelo"
    elif [[ ${HOME-} == /* ]]; then
        printf '%s\n' "$HOME/.local/share/vantelo"
    fi
}

# Offers the profile names of a profile file, quoted for the command line.
_vantelo_cli_profile_names()
{
    local program=$1 file=$2 cur=$3 line name
    [[ -f $file ]] || return
    cur=$(_vantelo_cli_dequote "$cur")
    while IFS= read -r line; do
        name=${line:2}
        if [[ -n $name && $name == "$cur"* ]]; then
            printf -v name '%q' "$name"
            COMPREPLY+=("$name")
        fi
    done < <("$program" profiles list "$file" 2>/dev/null)
}

_vantelo_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local program
    program=$(_vantelo_cli_dequote "${COMP_WORDS[0]}")
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$_vantelo_cli_commands help --help --version" -- "$cur")
        return
    fi
    if [[ ${COMP_WORDS[1]} == help ]]; then
        if ((COMP_CWORD == 2)); then
            mapfile -t COMPREPLY < <(compgen -W "$_vantelo_cli_commands" -- "$cur")
        elif ((COMP_CWORD == 3)) && [[ -n ${_vantelo_cli_actions[${COMP_WORDS[2]}]+set} ]]; then
            mapfile -t COMPREPLY < <(compgen -W "${_vantelo_cli_actions[${COMP_WORDS[2]}]}" -- "$cur")
        fi
        return
    fi

    local command=${COMP_WORDS[1]} key=${COMP_WORDS[1]} first=2
    if [[ -n ${_vantelo_cli_actions[$command]+set} ]]; then
        if ((COMP_CWORD == 2)); then
            mapfile -t COMPREPLY < <(compgen -W "${_vantelo_cli_actions[$command]}" -- "$cur")
            return
        fi
        key="$command ${COMP_WORDS[2]}"
        first=3
    fi
    [[ -n ${_vantelo_cli_options[$key]+set} ]] || return

    case $prev in
    --data-dir | --browser-profile)
        compopt -o filenames
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
        ;;
    --profile)
        local folder
        folder=$(_vantelo_cli_data_folder "$program")
        [[ -n $folder ]] && _vantelo_cli_profile_names "$program" "$folder/sv.xml" "$cur"
        return
        ;;
    --state)
        mapfile -t COMPREPLY < <(compgen -W "$_vantelo_cli_states" -- "$cur")
        return
        ;;
    --sort)
        mapfile -t COMPREPLY < <(compgen -W "name rating pr date" -- "$cur")
        return
        ;;
    --category | --name | --directory | --category-runs | --late-fields | --resume | --user)
        return
        ;;
    --dirdata) ;;
    esac

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${_vantelo_cli_options[$key]}" -- "$cur")
        return
    fi

    # The positional arguments before this word: options and their values left out.
    local positions=() i
    for ((i = first; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --data-dir | --profile | --directory | --category | --name | --category-runs | --late-fields | --resume | --dirdata | --browser-profile | --state | --sort | --user) ((i++)) ;;
        --) ;;
        -*) ;;
        *) positions+=("${COMP_WORDS[i]}") ;;
        esac
    done

    case $key in
    stats)
        if ((${#positions[@]} == 0)); then
            mapfile -t COMPREPLY < <(compgen -W "$_vantelo_cli_stats_kinds" -- "$cur")
        fi
        return
        ;;
    "directories mark")
        # STATE first, then directory names, which are not completed.
        if ((${#positions[@]} == 0)); then
            mapfile -t COMPREPLY < <(compgen -W "$_vantelo_cli_states" -- "$cur")
        fi
        return
        ;;
    "directories list" | "directories next" | "listings verify")
        return
        ;;
    "profiles show")
        if ((${#positions[@]} == 1)); then
            _vantelo_cli_profile_names "$program" "$(_vantelo_cli_dequote "${positions[0]}")" "$cur"
            return
        fi
        # NAME alone names a profile of the data folder; a path names a file.
        if ((${#positions[@]} == 0)) && [[ $cur != */* && $cur != .* && $cur != "~"* ]]; then
            local folder
            folder=$(_vantelo_cli_data_folder "$program")
            [[ -n $folder ]] && _vantelo_cli_profile_names "$program" "$folder/sv.xml" "$cur"
            return
        fi
        ;;
    "reciprocal test" | pagerank | fill-preview | data-folder | update | learn | "tranco update" | accounts*)
        # URLs, passwords, or nothing at all.
        return
        ;;
    esac
    compopt -o filenames
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
} &&
    complete -F _vantelo_cli vantelo-cli
